#include "tests/tools/vsthost/ToolRun.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdio>
#include <string>

namespace vsthost::test {

#ifdef _WIN32
namespace {

// One launch; `started` tells whether the process was created at all.
ToolRun runOnce(const std::string& arguments, bool& started) {
    ToolRun run;
    started = false;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + VSTHOST_PATH + "\" " + arguments;
    started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &process) != FALSE;
    const DWORD launchError = started ? 0 : GetLastError();
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        run.output = "vsthost could not be started (error " + std::to_string(launchError) + ")\n";
    }
    CloseHandle(readEnd);
    // The console runtime writes text with CR LF line ends.
    std::erase(run.output, '\r');
    return run;
}

// vsthost always prints something and always sets its exit code, so a run
// with neither never reached our code: Wine failed to create or start the
// process, which happens rarely on a loaded machine.
bool neverRan(const ToolRun& run, bool started) {
    return !started || (run.exitCode == 0xFFFFFFFF && run.output.empty());
}

}  // namespace

ToolRun runVsthost(const std::string& arguments) {
    constexpr int kLaunches = 3;
    bool started = false;
    ToolRun run = runOnce(arguments, started);
    for (int launch = 1; launch < kLaunches && neverRan(run, started); ++launch) {
        std::fprintf(stderr, "vsthost did not run (exit code %lu), launching it again: %s\n", run.exitCode,
                     arguments.c_str());
        Sleep(200);
        run = runOnce(arguments, started);
    }
    return run;
}
#else
ToolRun runVsthost(const std::string& arguments) {
    ToolRun run;
    const std::string commandLine = std::string("\"") + VSTHOST_PATH + "\" " + arguments + " 2>&1 </dev/null";
    std::FILE* pipe = popen(commandLine.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, got);
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) run.exitCode = static_cast<unsigned long>(WEXITSTATUS(status));
    return run;
}
#endif

std::vector<uint8_t> readFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
    return bytes;
}

uint32_t little32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

}  // namespace vsthost::test
