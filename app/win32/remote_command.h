#pragma once
// The hand-over of a command line to the running Dravik: the client a start with switches
// becomes, and the running program's answer to it. The command travels as WM_COPYDATA to the
// main window and the exit code comes back as the message's result; text the client prints
// (/list) comes back first, as WM_COPYDATA to a message-only window of the client's, named in
// wParam. A sent message needs no shared object that could outlive either process, reaches a
// program that is busy only when it can answer, and blocks the client until the command is
// carried out, which is what a script wants.
#include <windows.h>

#include <string>
#include <vector>

namespace app {
class FrmMain;
}

namespace app::win32 {

// Runs this process as a client: parses `args` (the arguments after the program's name),
// finds or starts the running Dravik, hands it the command and returns the exit code. Never
// shows a message box: what it has to say goes to standard output or error.
int RunCommandLineClient(const std::vector<std::string>& args);

// The running program's side: answers a command sent to its main window. False when the
// message is no command of ours (it then goes to the default handling).
bool AnswerRemoteCommand(FrmMain& form, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A client without elevation may hand commands to an elevated Dravik (it writes HKLM, so some
// run it elevated); from Windows Vista on, the window would otherwise never hear WM_COPYDATA.
void LetRemoteCommandsThrough(HWND mainWindow);

}  // namespace app::win32
