// Writes one of the program's pictures to a PNG file, for the places outside
// the program that want a plain picture (the desktop's icon theme):
//   brelvane_render_picture NAME WIDTH HEIGHT FILE
#include "app/look/pictures.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    // Drawing needs a platform, though never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        err << "usage: brelvane_render_picture NAME WIDTH HEIGHT FILE\n";
        return 2;
    }
    const QSize size(args[2].toInt(), args[3].toInt());
    const QPixmap picture = Pictures::render(args[1], size);
    if (picture.isNull() || size.isEmpty()) {
        err << "no picture " << args[1] << " at " << args[2] << "x" << args[3] << "\n";
        return 1;
    }
    if (!picture.save(args[4], "PNG")) {
        err << "cannot write " << args[4] << "\n";
        return 1;
    }
    return 0;
}
