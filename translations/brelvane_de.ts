<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CliArguments</name>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>join needs the videos to join</source>
        <translation>join braucht die Videos, die verbunden werden sollen</translation>
    </message>
    <message>
        <source>%1 takes no further arguments</source>
        <translation>%1 nimmt keine weiteren Argumente</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>--overwrite, --rename and --ask exclude each other</source>
        <translation>--overwrite, --rename und --ask schließen einander aus</translation>
    </message>
    <message>
        <source>--sort takes name, natural or none, not &quot;%1&quot;</source>
        <translation>--sort nimmt name, natural oder none, nicht „%1“</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--jobs nimmt eine Zahl von 1 bis %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--chapters takes each or none, not &quot;%1&quot;</source>
        <translation>--chapters nimmt each oder none, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--loudness takes recorded or even, not &quot;%1&quot;</source>
        <translation>--loudness nimmt recorded oder even, nicht &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>CliJoin</name>
    <message>
        <source>the list file &quot;%1&quot; could not be read</source>
        <translation>die Listendatei „%1“ konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a video file</source>
        <translation>„%1“ ist ein Ordner, keine Videodatei</translation>
    </message>
    <message>
        <source>no such file or folder: &quot;%1&quot;</source>
        <translation>keine solche Datei und kein solcher Ordner: „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not of a video type the program takes (%2)</source>
        <translation>„%1“ ist kein Videotyp, den das Programm annimmt (%2)</translation>
    </message>
    <message>
        <source>the temp folder &quot;%1&quot; does not exist</source>
        <translation>der temporäre Ordner „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>the temp folder &quot;%1&quot; is not a folder</source>
        <translation>der temporäre Ordner „%1“ ist kein Ordner</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; holds no video of a type the program takes</source>
        <translation>der Ordner „%1“ enthält kein Video eines Typs, den das Programm annimmt</translation>
    </message>
    <message>
        <source>the output file &quot;%1&quot; is missing or empty</source>
        <translation>die Ausgabedatei „%1“ fehlt oder ist leer</translation>
    </message>
    <message>
        <source>no profile &quot;%1&quot; in %2Profiles/ (--list-profiles shows the profiles)</source>
        <translation>kein Profil „%1“ in %2Profiles/ (--list-profiles zeigt die Profile)</translation>
    </message>
    <message>
        <source> (brelvane-cli --help shows the usage)</source>
        <translation> (brelvane-cli --help zeigt die Verwendung)</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; is not valid UTF-8, so the program cannot open it; please rename it</source>
        <translation>der Name „%1“ ist kein gültiges UTF-8, daher kann das Programm die Datei nicht öffnen; bitte benennen Sie sie um</translation>
    </message>
    <message>
        <source> | current </source>
        <translation> | aktuell </translation>
    </message>
    <message>
        <source> | total </source>
        <translation> | gesamt </translation>
    </message>
    <message>
        <source> | elapsed </source>
        <translation> | vergangen </translation>
    </message>
    <message>
        <source> | remaining </source>
        <translation> | verbleibend </translation>
    </message>
    <message>
        <source>no answer: standard input is not a terminal, so the question is answered No</source>
        <translation>keine Antwort: die Standardeingabe ist kein Terminal, daher wird die Frage mit Nein beantwortet</translation>
    </message>
    <message>
        <source>the profile &quot;%1&quot; offers no %2 choice for %3</source>
        <translation>das Profil &quot;%1&quot; bietet keine %2-Auswahl für %3</translation>
    </message>
</context>
<context>
    <name>CliUsage</name>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>Joins the videos into one output file, as Start in the window does: every
input is converted into a temporary file, then the temporaries are joined
with the output profile&apos;s options. Profiles, &quot;Preferences.ini&quot; and the
encoder are the window&apos;s own, in the program directory.

INPUT is a video file, a folder (its video files, as &quot;Add Dir&quot; adds them),
or @FILE: a text file with one file or folder a line. A name ending in
&quot;.tmp&quot; is read as such a list too, as the window&apos;s command line reads it.
</source>
        <translation>Verbindet die Videos zu einer Ausgabedatei, wie es Start im Fenster tut: Jede
Eingabe wird in eine temporäre Datei umgewandelt, dann werden die temporären
Dateien mit den Optionen des Ausgabeprofils verbunden. Profile,
„Preferences.ini“ und der Encoder sind die des Fensters, im Programmordner.

INPUT ist eine Videodatei, ein Ordner (seine Videodateien, so wie „Ordner
hinzufügen“ sie hinzufügt) oder @FILE: eine Textdatei mit einer Datei oder
einem Ordner pro Zeile. Ein Name, der auf „.tmp“ endet, wird ebenfalls als
solche Liste gelesen, wie die Befehlszeile des Fensters ihn liest.
</translation>
    </message>
    <message>
        <source>Options of join:</source>
        <translation>Optionen von join:</translation>
    </message>
    <message>
        <source>Progress goes to standard error; the written output file&apos;s path to standard
output. The window&apos;s after-completion actions (open the folder, exit, turn
the computer off) do not apply here.

Exit status: 0 the output was written; 2 bad arguments; 3 an input or the
job was refused; 4 the encoder failed; 130 stopped by Ctrl+C (143 by
SIGTERM). A stopped job leaves no temporary file behind.
</source>
        <translation>Der Fortschritt geht auf die Standardfehlerausgabe, der Pfad der geschriebenen
Ausgabedatei auf die Standardausgabe. Die Aktionen des Fensters nach dem
Abschluss (Ordner öffnen, beenden, Computer ausschalten) gelten hier nicht.

Rückgabewert: 0 die Ausgabe wurde geschrieben; 2 falsche Argumente; 3 eine
Eingabe oder der Auftrag wurde abgelehnt; 4 der Encoder ist gescheitert;
130 mit Strg+C angehalten (143 mit SIGTERM). Ein angehaltener Auftrag
hinterlässt keine temporäre Datei.
</translation>
    </message>
    <message>
        <source>output profile (default: the one the window remembers;
--list-profiles shows the names)</source>
        <translation>Ausgabeprofil (Vorgabe: das, das sich das Fenster merkt;
--list-profiles zeigt die Namen)</translation>
    </message>
    <message>
        <source>output file (default: the remembered output file); the
profile&apos;s extension is appended when it differs</source>
        <translation>Ausgabedatei (Vorgabe: die gemerkte Ausgabedatei); die
Endung des Profils wird angehängt, wenn sie abweicht</translation>
    </message>
    <message>
        <source>overwrite an existing output file</source>
        <translation>eine vorhandene Ausgabedatei überschreiben</translation>
    </message>
    <message>
        <source>write to FILE_1, FILE_2, ... instead of an existing file</source>
        <translation>statt in eine vorhandene Datei in FILE_1, FILE_2, ...
schreiben</translation>
    </message>
    <message>
        <source>ask on the terminal before overwriting; refused when
standard input is not a terminal
(default of the three: the choice in Preferences.ini)
A file that appears at FILE while the job runs is never
overwritten: the output then goes to a free FILE_N, and
with --ask the job counts as refused</source>
        <translation>vor dem Überschreiben im Terminal fragen; abgelehnt, wenn
die Standardeingabe kein Terminal ist
(Vorgabe der drei: die Wahl in Preferences.ini)
Eine Datei, die während des Auftrags unter FILE erscheint,
wird nie überschrieben: Die Ausgabe geht dann in ein
freies FILE_N; mit --ask gilt der Auftrag als abgelehnt</translation>
    </message>
    <message>
        <source>folder for the temporary files, which must exist
(default: Preferences.ini)</source>
        <translation>Ordner für die temporären Dateien, der existieren muss
(Vorgabe: Preferences.ini)</translation>
    </message>
    <message>
        <source>conversions at once, 1 to 64 (default: Preferences.ini,
else one per core)</source>
        <translation>gleichzeitige Umwandlungen, 1 bis 64 (Vorgabe:
Preferences.ini, sonst eine pro Kern)</translation>
    </message>
    <message>
        <source>order of the videos: none (as given; the default), name,
or natural (numbers by value: clip2 before clip10)</source>
        <translation>Reihenfolge der Videos: none (wie angegeben; die
Vorgabe), name oder natural (Zahlen nach Wert: clip2
vor clip10)</translation>
    </message>
    <message>
        <source>print nothing but errors</source>
        <translation>nichts außer Fehlern ausgeben</translation>
    </message>
    <message>
        <source>print the encoder command lines the job would run, one a
line, and run nothing</source>
        <translation>die Encoder-Befehlszeilen ausgeben, die der Auftrag
ausführen würde, eine pro Zeile, und nichts ausführen</translation>
    </message>
    <message>
        <source>each (a chapter per video) or none, in place of the
profile&apos;s own choice; for profiles with a Chapters
choice</source>
        <translation>each (ein Kapitel je Video) oder none, anstelle der
Auswahl des Profils; nur für Profile mit einer
Kapitelauswahl</translation>
    </message>
    <message>
        <source>recorded (the sound as it is) or even (every video
brought to one loudness, EBU R128), in place of the
profile&apos;s own choice; for profiles with a Loudness
choice</source>
        <translation>recorded (der Ton, wie er ist) oder even (jedes Video
auf eine Lautheit gebracht, EBU R128), anstelle der
Auswahl des Profils; nur für Profile mit einer
Lautstärkeauswahl</translation>
    </message>
</context>
<context>
    <name>FileNames</name>
    <message>
        <source>The program cannot open these files, as their names are not valid UTF-8. Please rename them:

</source>
        <translation>Das Programm kann diese Dateien nicht öffnen, da ihre Namen kein gültiges UTF-8 sind. Bitte benennen Sie sie um:

</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Schreiben nach %1 nicht möglich</translation>
    </message>
</context>
<context>
    <name>InputTypes</name>
    <message>
        <source>%1 Files</source>
        <translation>%1-Dateien</translation>
    </message>
    <message>
        <source>All Support Files</source>
        <translation>Alle unterstützten Dateien</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>Job</name>
    <message>
        <source>Complete</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>%1 video and %2 sound</source>
        <translation>%1 Video und %2 Ton</translation>
    </message>
    <message>
        <source>container</source>
        <translation>Container</translation>
    </message>
    <message>
        <source>video codec</source>
        <translation>Video-Codec</translation>
    </message>
    <message>
        <source>bit depth</source>
        <translation>Bittiefe</translation>
    </message>
    <message>
        <source>chroma format</source>
        <translation>Chroma-Format</translation>
    </message>
    <message>
        <source>video profile</source>
        <translation>Videoprofil</translation>
    </message>
    <message>
        <source>frame size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>pixel aspect ratio</source>
        <translation>Pixel-Seitenverhältnis</translation>
    </message>
    <message>
        <source>rotation</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <source>frame rate</source>
        <translation>Bildrate</translation>
    </message>
    <message>
        <source>field order</source>
        <translation>Halbbildfolge</translation>
    </message>
    <message>
        <source>sound codec</source>
        <translation>Ton-Codec</translation>
    </message>
    <message>
        <source>sample rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>channel count</source>
        <translation>Kanalzahl</translation>
    </message>
    <message>
        <source>channel layout</source>
        <translation>Kanalbelegung</translation>
    </message>
    <message>
        <source>streams</source>
        <translation>Datenströme</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>&quot;%1&quot; differs from &quot;%2&quot; in its %3 (%4, not %5). </source>
        <translation>„%1“ unterscheidet sich von „%2“ in dieser Eigenschaft: %3 (%4, nicht %5). </translation>
    </message>
    <message>
        <source>Choose a profile that re-encodes.</source>
        <translation>Wählen Sie ein Profil, das neu kodiert.</translation>
    </message>
    <message>
        <source>Choose a profile that re-encodes, such as &quot;%1&quot;.</source>
        <translation>Wählen Sie ein Profil, das neu kodiert, etwa „%1“.</translation>
    </message>
    <message>
        <source>Videos Differ</source>
        <translation>Videos unterscheiden sich</translation>
    </message>
    <message>
        <source>Error. Please re-install </source>
        <translation>Fehler. Bitte installieren Sie neu: </translation>
    </message>
    <message>
        <source>The disk is full: &quot;%1&quot; has no space left.</source>
        <translation>Der Datenträger ist voll: „%1“ hat keinen Platz mehr.</translation>
    </message>
    <message>
        <source>Temp Folder</source>
        <translation>Temporärer Ordner</translation>
    </message>
    <message>
        <source>Unable to create the temporary folder &quot;%1&quot;.</source>
        <translation>Der temporäre Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Prepare (Converting):</source>
        <translation>Vorbereitung (Umwandeln):</translation>
    </message>
    <message>
        <source> +%1 more</source>
        <translation> +%1 weitere</translation>
    </message>
    <message>
        <source>The Coversion is canceled.</source>
        <translation>Die Umwandlung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The encoder could not convert &quot;%1&quot;.</source>
        <translation>Der Encoder konnte „%1“ nicht umwandeln.</translation>
    </message>
    <message>
        <source>Conversion Failed</source>
        <translation>Umwandlung fehlgeschlagen</translation>
    </message>
    <message>
        <source>The encoder crashed.</source>
        <translation>Der Encoder ist abgestürzt.</translation>
    </message>
    <message>
        <source>The encoder showed no progress for %1 seconds and was ended.</source>
        <translation>Der Encoder zeigte %1 Sekunden lang keinen Fortschritt und wurde beendet.</translation>
    </message>
    <message>
        <source>The encoder kept running after its work was done and was ended.</source>
        <translation>Der Encoder lief nach getaner Arbeit weiter und wurde beendet.</translation>
    </message>
    <message>
        <source>The encoder ended with exit code %1.</source>
        <translation>Der Encoder endete mit dem Rückgabewert %1.</translation>
    </message>
    <message>
        <source>The encoder wrote nothing to &quot;%1&quot;.</source>
        <translation>Der Encoder hat nichts nach „%1“ geschrieben.</translation>
    </message>
    <message>
        <source>

Last lines of the encoder&apos;s output:
</source>
        <translation>

Letzte Zeilen der Ausgabe des Encoders:
</translation>
    </message>
    <message>
        <source>Final Step: Joining all files...</source>
        <translation>Letzter Schritt: Alle Dateien werden verbunden...</translation>
    </message>
    <message>
        <source>The encoder could not join the videos into &quot;%1&quot;.</source>
        <translation>Der Encoder konnte die Videos nicht zu „%1“ verbinden.</translation>
    </message>
    <message>
        <source>The joined video could not be moved to &quot;%1&quot;.</source>
        <translation>Das verbundene Video konnte nicht nach „%1“ verschoben werden.</translation>
    </message>
    <message>
        <source>The Joining is canceled.</source>
        <translation>Das Verbinden wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Joining Failed</source>
        <translation>Verbinden fehlgeschlagen</translation>
    </message>
    <message>
        <source>Damaged Input</source>
        <translation>Beschädigte Eingabe</translation>
    </message>
    <message>
        <source>The joining is completed successfully.</source>
        <translation>Das Verbinden wurde erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; appeared while the job ran. Do you want to overwrite it with the joined video? 
<byte value="xd"/>Click &quot;No&quot; to keep it and save the joined video as &quot;%2&quot;.</source>
        <translation>Die Datei „%1“ ist erschienen, während der Auftrag lief. Möchten Sie sie mit dem verbundenen Video überschreiben? 
<byte value="xd"/>Klicken Sie auf „Nein“, um sie zu behalten und das verbundene Video als „%2“ zu speichern.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; appeared while the job ran and was kept. The joined video was saved as &quot;%2&quot;.</source>
        <translation>Die Datei „%1“ ist erschienen, während der Auftrag lief, und wurde behalten. Das verbundene Video wurde als „%2“ gespeichert.</translation>
    </message>
    <message>
        <source> Nobody could be asked whether to overwrite it.</source>
        <translation> Niemand konnte gefragt werden, ob sie überschrieben werden soll.</translation>
    </message>
    <message>
        <source>File Exists</source>
        <translation>Datei vorhanden</translation>
    </message>
    <message>
        <source>The output file is existent. Do you want to continue and overwrite it? 
<byte value="xd"/>Click &quot;No&quot; to specify another output filename.</source>
        <translation>Die Ausgabedatei ist vorhanden. Möchten Sie fortfahren und sie überschreiben? 
<byte value="xd"/>Klicken Sie auf „Nein“, um einen anderen Namen für die Ausgabedatei anzugeben.</translation>
    </message>
    <message>
        <source>Add More Videos</source>
        <translation>Weitere Videos hinzufügen</translation>
    </message>
    <message>
        <source>Please add at least 2 videos to the task for joining.</source>
        <translation>Bitte fügen Sie der Aufgabe mindestens 2 Videos zum Verbinden hinzu.</translation>
    </message>
    <message>
        <source>Output path does not exist</source>
        <translation>Ausgabepfad existiert nicht</translation>
    </message>
    <message>
        <source>The output path does not exist. Please specify another one.</source>
        <translation>Der Ausgabepfad existiert nicht. Bitte geben Sie einen anderen an.</translation>
    </message>
    <message>
        <source>Icorrect Filename</source>
        <translation>Falscher Dateiname</translation>
    </message>
    <message>
        <source>Please specify the output file.</source>
        <translation>Bitte geben Sie die Ausgabedatei an.</translation>
    </message>
    <message>
        <source>The joined file holds no readable video.</source>
        <translation>Die verbundene Datei enthält kein lesbares Video.</translation>
    </message>
    <message>
        <source>The joined file holds no sound, although the videos had sound.</source>
        <translation>Die verbundene Datei enthält keinen Ton, obwohl die Videos Ton hatten.</translation>
    </message>
    <message>
        <source>The joined file should play for %1 but plays for %2.</source>
        <translation>Die verbundene Datei sollte %1 lang spielen, spielt aber %2 lang.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could be read only in part: %2 of its %3 are in the joined video, %4 is missing. The file may be damaged or incomplete.</source>
        <translation>„%1“ konnte nur teilweise gelesen werden: %2 von %3 sind im verbundenen Video, %4 fehlt. Die Datei ist vielleicht beschädigt oder unvollständig.</translation>
    </message>
    <message>
        <source>Not Enough Space</source>
        <translation>Nicht genug Platz</translation>
    </message>
    <message>
        <source>There is not enough free space for the job in &quot;%1&quot;: it needs about %2 MB, and %3 MB are free. Free some space or choose another folder.</source>
        <translation>In „%1“ ist nicht genug freier Platz für den Auftrag: Er braucht etwa %2 MB, und %3 MB sind frei. Schaffen Sie Platz oder wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Invalid Path</source>
        <translation>Ungültiger Pfad</translation>
    </message>
    <message>
        <source>The path &quot;%1&quot; holds a double-quote character, which cannot be passed to the encoder. Please rename it.</source>
        <translation>Der Pfad „%1“ enthält ein doppeltes Anführungszeichen, das nicht an den Encoder übergeben werden kann. Bitte benennen Sie ihn um.</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>The output file &quot;%1&quot; is one of the videos to join. Please specify another output file.</source>
        <translation>Die Ausgabedatei „%1“ ist eines der zu verbindenden Videos. Bitte geben Sie eine andere Ausgabedatei an.</translation>
    </message>
    <message>
        <source>The output file &quot;%1&quot; is the name of a temporary file of the job. Please specify another output file.</source>
        <translation>Die Ausgabedatei „%1“ trägt den Namen einer temporären Datei des Auftrags. Bitte geben Sie eine andere Ausgabedatei an.</translation>
    </message>
    <message>
        <source>The temporary file &quot;%1&quot; would overwrite the video &quot;%2&quot;. Please choose another temp folder in the Settings.</source>
        <translation>Die temporäre Datei „%1“ würde das Video „%2“ überschreiben. Bitte wählen Sie in den Optionen einen anderen temporären Ordner.</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Audio-Bitrate</translation>
    </message>
    <message>
        <source>The audio bitrate &quot;%1&quot; is not a whole number. Please choose an audio bitrate in the Output Settings.</source>
        <translation>Die Audio-Bitrate „%1“ ist keine ganze Zahl. Bitte wählen Sie in den Ausgabeoptionen eine Audio-Bitrate.</translation>
    </message>
    <message>
        <source>No Profile</source>
        <translation>Kein Profil</translation>
    </message>
    <message>
        <source>No profile is loaded, and &quot;%1&quot; for &quot;%2&quot; cannot be given to the encoder. Please choose a profile.</source>
        <translation>Es ist kein Profil geladen, und „%1“ für „%2“ kann dem Encoder nicht übergeben werden. Bitte wählen Sie ein Profil.</translation>
    </message>
    <message>
        <source>Invalid Profile Value</source>
        <translation>Ungültiger Profilwert</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; gives &quot;%2&quot; for &quot;%3&quot;, which the encoder cannot take. Please choose another value in the Output Settings, or another profile.</source>
        <translation>Das Profil „%1“ gibt „%2“ für „%3“ an, was der Encoder nicht annehmen kann. Bitte wählen Sie in den Ausgabeoptionen einen anderen Wert oder ein anderes Profil.</translation>
    </message>
    <message>
        <source>The path &quot;%1&quot; holds a control character, which cannot be passed to the encoder. Please rename it.</source>
        <translation>Der Pfad „%1“ enthält ein Steuerzeichen, das nicht an den Encoder übergeben werden kann. Bitte benennen Sie ihn um.</translation>
    </message>
    <message>
        <source>The output file &quot;%1&quot; is a folder. Please specify another output file.</source>
        <translation>Die Ausgabedatei „%1“ ist ein Ordner. Bitte geben Sie eine andere Ausgabedatei an.</translation>
    </message>
    <message>
        <source>The output file name &quot;%1&quot; is too long: its folder takes names of at most %2 bytes. Please specify a shorter name.</source>
        <translation>Der Name der Ausgabedatei „%1“ ist zu lang: Ihr Ordner nimmt Namen von höchstens %2 Bytes. Bitte geben Sie einen kürzeren Namen an.</translation>
    </message>
    <message>
        <source>Output path cannot be written</source>
        <translation>Ausgabepfad nicht beschreibbar</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be written (%2). Please specify another one.</source>
        <translation>In den Ausgabeordner „%1“ kann nicht geschrieben werden (%2). Bitte geben Sie einen anderen an.</translation>
    </message>
    <message>
        <source>Not Joined</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>The joining did not complete.</source>
        <translation>Das Verbinden wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>The list of chapters could not be written to &quot;%1&quot;.</source>
        <translation>Die Kapitelliste konnte nicht nach &quot;%1&quot; geschrieben werden.</translation>
    </message>
    <message>
        <source>video %1 has other streams</source>
        <translation>Video %1 hat andere Datenströme</translation>
    </message>
    <message>
        <source>video %1 has a different %2</source>
        <translation>Video %1 hat eine andere Eigenschaft: %2</translation>
    </message>
    <message>
        <source>Joining without re-encoding: every video has the same format</source>
        <translation>Verbinden ohne Neukodierung: Alle Videos haben dasselbe Format</translation>
    </message>
    <message>
        <source>Re-encoding to %1: %2</source>
        <translation>Neukodierung nach %1: %2</translation>
    </message>
    <message>
        <source>no frame size from 16 to 8192 pixels (it states &quot;%1&quot;)</source>
        <translation>keine Bildgröße von 16 bis 8192 Pixeln (angegeben ist &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>no frame rate from 1 to 240 (it states &quot;%1&quot;)</source>
        <translation>keine Bildrate von 1 bis 240 (angegeben ist &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>First Video</source>
        <translation>Erstes Video</translation>
    </message>
    <message>
        <source>The output takes its size and frame rate from the first video, &quot;%1&quot;, which has %2. Please choose a size and a frame rate in the Output Settings, or put another video first.</source>
        <translation>Die Ausgabe übernimmt Größe und Bildrate vom ersten Video, &quot;%1&quot;, das %2 hat. Bitte wählen Sie eine Größe und eine Bildrate in den Ausgabeeinstellungen oder stellen Sie ein anderes Video an den Anfang.</translation>
    </message>
    <message>
        <source>the sound is evened out, which a join without re-encoding cannot do</source>
        <translation>die Lautstärke wird angeglichen, was ein Zusammenfügen ohne Neukodierung nicht kann</translation>
    </message>
</context>
<context>
    <name>JobSummary</name>
    <message>
        <source>1 video</source>
        <translation>1 Video</translation>
    </message>
    <message>
        <source>%1 videos</source>
        <translation>%1 Videos</translation>
    </message>
    <message>
        <source>%1, %2, about %3</source>
        <translation>%1, %2, etwa %3</translation>
    </message>
</context>
<context>
    <name>ProgramInfo</name>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle Rechte vorbehalten.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Besuchen Sie unsere Website</translation>
    </message>
    <message>
        <source>More video converting softwares</source>
        <translation>Weitere Programme zum Umwandeln von Videos</translation>
    </message>
    <message>
        <source>(More)</source>
        <translation>(Mehr)</translation>
    </message>
    <message>
        <source>Tech Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Sales Support</source>
        <translation>Vertrieb</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Job Running</source>
        <translation>Auftrag läuft</translation>
    </message>
    <message>
        <source>A job is running. Stop it and quit?</source>
        <translation>Ein Auftrag läuft. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The help page could not be opened:

%1</source>
        <translation>Die Hilfeseite konnte nicht geöffnet werden:

%1</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Add video files to the list</source>
        <translation>Videodateien zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Add the videos of a folder to the list</source>
        <translation>Die Videos eines Ordners zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Open the help page</source>
        <translation>Die Hilfeseite öffnen</translation>
    </message>
    <message>
        <source>Remove the selected rows (Delete; %1 brings them back)</source>
        <translation>Die ausgewählten Zeilen entfernen (Entf; %1 holt sie zurück)</translation>
    </message>
    <message>
        <source>Remove every row (Backspace; %1 brings them back)</source>
        <translation>Alle Zeilen entfernen (Rücktaste; %1 holt sie zurück)</translation>
    </message>
    <message>
        <source>Join the listed videos into the output file</source>
        <translation>Die aufgelisteten Videos zur Ausgabedatei verbinden</translation>
    </message>
    <message>
        <source>Stop the job (%1, or Enter while Stop has the focus, then confirm)</source>
        <translation>Den Auftrag anhalten (%1 oder Eingabe, während Stopp den Fokus hat, dann bestätigen)</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the running job</source>
        <translation>Den laufenden Auftrag anhalten</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Aufgabenliste</translation>
    </message>
    <message>
        <source>The videos to join, in the order they are joined</source>
        <translation>Die zu verbindenden Videos, in der Reihenfolge, in der sie verbunden werden</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Remove the selected rows from the list</source>
        <translation>Die ausgewählten Zeilen aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Remove every row from the list</source>
        <translation>Alle Zeilen aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move the selected rows up</source>
        <translation>Die ausgewählten Zeilen nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move the selected rows down</source>
        <translation>Die ausgewählten Zeilen nach unten verschieben</translation>
    </message>
    <message>
        <source>Stop the running job?</source>
        <translation>Den laufenden Auftrag anhalten?</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Add Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Getting started:</source>
        <translation>Erste Schritte:</translation>
    </message>
    <message>
        <source>1. Add video files in to the list.</source>
        <translation>1. Videodateien zur Liste hinzufügen.</translation>
    </message>
    <message>
        <source>2. Select a profile and specify the output path.</source>
        <translation>2. Ein Profil wählen und den Ausgabepfad angeben.</translation>
    </message>
    <message>
        <source>3. Click on the &quot;Join&quot; button.</source>
        <translation>3. Auf die Schaltfläche „Join“ klicken.</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <source>Output File:</source>
        <translation>Ausgabe:</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Converting (Prepare):</source>
        <translation>Umwandeln (Vorbereitung):</translation>
    </message>
    <message>
        <source>No File</source>
        <translation>Keine Datei</translation>
    </message>
    <message>
        <source>Time Elapsed:</source>
        <translation>Vergangene Zeit:</translation>
    </message>
    <message>
        <source>Time Remaining:</source>
        <translation>Restzeit:</translation>
    </message>
    <message>
        <source>Current Progress:</source>
        <translation>Aktueller Fortschritt:</translation>
    </message>
    <message>
        <source>Total Progress:</source>
        <translation>Gesamtfortschritt:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add Directorys...</source>
        <translation>Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Play Time</source>
        <translation>Spieldauer</translation>
    </message>
    <message>
        <source>Files Still Coming In</source>
        <translation>Dateien kommen noch hinzu</translation>
    </message>
    <message>
        <source>Files are still being added to the Task List. Click Start again when all of them are listed.</source>
        <translation>Es werden noch Dateien zur Aufgabenliste hinzugefügt. Klicken Sie erneut auf Start, wenn alle aufgelistet sind.</translation>
    </message>
    <message>
        <source>Add a directory to the Task List</source>
        <translation>Einen Ordner zur Aufgabenliste hinzufügen</translation>
    </message>
</context>
<context>
    <name>TPowerOffForm</name>
    <message>
        <source>Turn Off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>The computer will be turned off in %1 %2.</source>
        <translation>Der Computer wird in %1 %2 ausgeschaltet.</translation>
    </message>
    <message>
        <source>second</source>
        <translation>Sekunde</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
</context>
<context>
    <name>TSettingForm</name>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Default Output File:</source>
        <translation>Standard-Ausgabedatei:</translation>
    </message>
    <message>
        <source>Temp Folder:</source>
        <translation>Temporärer Ordner:</translation>
    </message>
    <message>
        <source>Open the output directory when the task is completed. </source>
        <translation>Den Ausgabeordner öffnen, wenn die Aufgabe abgeschlossen ist. </translation>
    </message>
    <message>
        <source>Exit the program when the task is completed.</source>
        <translation>Das Programm beenden, wenn die Aufgabe abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Turn off the computer when the task is completed.</source>
        <translation>Den Computer ausschalten, wenn die Aufgabe abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Output File Overwrite</source>
        <translation>Ausgabedatei überschreiben</translation>
    </message>
    <message>
        <source>Ask me.</source>
        <translation>Mich fragen.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Not overwrite (Rename to &lt;Filename&gt; + Index</source>
        <translation>Nicht überschreiben (Umbenennen in &lt;Dateiname&gt; + Index</translation>
    </message>
    <message>
        <source>Conversions at once:</source>
        <translation>Gleichzeitige Umwandlungen:</translation>
    </message>
    <message>
        <source>How many files are converted at the same time; one per core uses the whole computer.</source>
        <translation>Wie viele Dateien gleichzeitig umgewandelt werden; eine pro Kern nutzt den ganzen Computer.</translation>
    </message>
    <message>
        <source>&amp;Load Default</source>
        <translation>&amp;Standard laden</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Standard laden</translation>
    </message>
    <message>
        <source>Are you sure to load the default preferences?</source>
        <translation>Möchten Sie wirklich die Standardeinstellungen laden?</translation>
    </message>
    <message>
        <source>Select the output directory.</source>
        <translation>Den Ausgabeordner auswählen.</translation>
    </message>
</context>
<context>
    <name>TaskList</name>
    <message>
        <source>Already Listed</source>
        <translation>Bereits aufgelistet</translation>
    </message>
    <message>
        <source>This file has been added to the Task List already. Are you sure to add it again?</source>
        <translation>Diese Datei wurde der Aufgabenliste bereits hinzugefügt. Möchten Sie sie wirklich erneut hinzufügen?</translation>
    </message>
    <message>
        <source>
... and %1 more.</source>
        <translation>
... und %1 weitere.</translation>
    </message>
    <message>
        <source>The list file &quot;%1&quot; could not be read, so no files were added from it.</source>
        <translation>Die Listendatei „%1“ konnte nicht gelesen werden, daher wurden keine Dateien daraus hinzugefügt.</translation>
    </message>
    <message>
        <source>The play time of this file could not be read, so it is not a video that can be joined:

</source>
        <translation>Die Spieldauer dieser Datei konnte nicht gelesen werden, daher ist sie kein Video, das verbunden werden kann:

</translation>
    </message>
    <message>
        <source>The play time of these files could not be read, so they are not videos that can be joined:

</source>
        <translation>Die Spieldauer dieser Dateien konnte nicht gelesen werden, daher sind sie keine Videos, die verbunden werden können:

</translation>
    </message>
    <message>
        <source>Not Added</source>
        <translation>Nicht hinzugefügt</translation>
    </message>
    <message>
        <source>List File Not Read</source>
        <translation>Listendatei nicht gelesen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Wird konvertiert</translation>
    </message>
    <message>
        <source>Waiting for joining</source>
        <translation>Wartet auf Verbinden</translation>
    </message>
    <message>
        <source>Joining</source>
        <translation>Wird verbunden</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>TaskListModel</name>
    <message>
        <source>Input File</source>
        <translation>Eingabedatei</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>TopSettingForm</name>
    <message>
        <source>Output Settings</source>
        <translation>Ausgabeoptionen</translation>
    </message>
    <message>
        <source>Video Codec: </source>
        <translation>Video-Codec: </translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Video-Bitrate:</translation>
    </message>
    <message>
        <source>kbit</source>
        <translation>kbit</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>Bildformat:</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>fps</source>
        <translation>fps</translation>
    </message>
    <message>
        <source>Output Size</source>
        <translation>Ausgabegröße</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Audio-Codec:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>HZ</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Audio Bitrate:</source>
        <translation>Audio-Bitrate:</translation>
    </message>
    <message>
        <source>Kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message>
        <source>Encode To:</source>
        <translation>Kodieren als:</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Decription</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Current Value: </source>
        <translation>Aktueller Wert: </translation>
    </message>
    <message>
        <source>The video bitrate is invalid.</source>
        <translation>Die Video-Bitrate ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Video Bitrate</source>
        <translation>Ungültige Video-Bitrate</translation>
    </message>
    <message>
        <source>The output width is invalid.</source>
        <translation>Die Ausgabebreite ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Width</source>
        <translation>Ungültige Breite</translation>
    </message>
    <message>
        <source>The output height is invalid.</source>
        <translation>Die Ausgabehöhe ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Height</source>
        <translation>Ungültige Höhe</translation>
    </message>
    <message>
        <source>The sample rate is invalid.</source>
        <translation>Die Abtastrate ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Sample Rate</source>
        <translation>Ungültige Abtastrate</translation>
    </message>
    <message>
        <source>The Audio bitrate is invalid.</source>
        <translation>Die Audio-Bitrate ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Audio Bitrate</source>
        <translation>Ungültige Audio-Bitrate</translation>
    </message>
    <message>
        <source>The maximum value of audio bitrate for MP2 codec is 128</source>
        <translation>Der Höchstwert der Audio-Bitrate für den MP2-Codec ist 128</translation>
    </message>
    <message>
        <source>Loudness:</source>
        <translation>Lautheit:</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Kapitel:</translation>
    </message>
</context>
</TS>
