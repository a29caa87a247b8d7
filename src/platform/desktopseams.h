#pragma once

class Messages;
class Choosers;
class ShellOpener;
class PowerOff;
class JobNotices;

// The seams a main window is built with. Tests pass fakes; the program
// passes the Qt implementations.
struct DesktopSeams {
    Messages *messages = nullptr;
    Choosers *choosers = nullptr;
    ShellOpener *shell = nullptr;
    PowerOff *power = nullptr;
    // Optional: without it the desktop hears nothing of a job.
    JobNotices *notices = nullptr;
};
