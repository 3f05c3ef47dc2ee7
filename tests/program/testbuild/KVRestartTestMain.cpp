// Entry point of KVRestartTest.exe: the program itself with the recording seams in place of
// the session calls and the message boxes, so it can run as a process inside the test prefix.
//
// Next to the executable (same name, other extensions):
//   KVRestartTest.answers  read at start, UTF-8, one instruction a line ("#" starts a comment):
//                            box YES | NO | CANCEL | OK | ABORT | RETRY | IGNORE | <number>
//                                the answer to the next message box, in order; a box with no
//                                answer left gets OK
//                            session <operation> <result> [<error> [<machine>]]
//                                the result (0/1) and last error of a session operation,
//                                e.g. "session ExitWindowsEx 0 5"; with a machine, only
//                                for calls on it: "session AbortSystemShutdown 0 53 \\pc2"
//   KVRestartTest.log      appended, UTF-8, one line per event:
//                            MessageBox(<style>, "<title>", "<text>") -> <answer>
//                            <session operation>(<numbers>, "<texts>")
//                            Exit(<code>)
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "RecordingSessionControl.h"
#include "TestBuildMessageBox.h"
#include "program/basMain.h"
#include "program/basTools.h"

namespace {

int ParseAnswer(const std::string& word) {
    static const struct {
        const char* name;
        int id;
    } names[] = {{"OK", IDOK},       {"CANCEL", IDCANCEL}, {"ABORT", IDABORT}, {"RETRY", IDRETRY},
                 {"IGNORE", IDIGNORE}, {"YES", IDYES},      {"NO", IDNO}};
    for (const auto& n : names)
        if (word == n.name) return n.id;
    return std::atoi(word.c_str());
}

void ReadAnswers(const std::wstring& path, kvtest::TestBuildMessageBox& boxes,
                 kvtest::RecordingSessionControl& session) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "box") {
            std::string answer;
            words >> answer;
            boxes.answers.push_back(ParseAnswer(answer));
        } else if (kind == "session") {
            std::string operation, machine;
            int result = 1;
            unsigned long error = 0;
            words >> operation >> result >> error >> machine;
            if (machine.empty())
                session.Answer(operation, result ? TRUE : FALSE, error);
            else
                session.AnswerFor(operation, std::wstring(machine.begin(), machine.end()), result ? TRUE : FALSE, error);
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring program = kvr::ProgramFileName();
    const std::wstring base = program.substr(0, program.size() - 4);

    kvtest::RecordingSessionControl session;
    session.LogFile = base + L".log";
    kvtest::TestBuildMessageBox boxes(base + L".log");
    ReadAnswers(base + L".answers", boxes, session);

    int code = kvr::Main();
    kvtest::AppendLogLine(base + L".log", L"Exit(" + std::to_wstring(code) + L")");
    return code;
}
