#!/usr/bin/env python3
"""Checks the layering of src/: every #include "folder/..." of a source file must name its
own folder or a folder of a layer below its own.

    core      storage, archive, report          (plain C++, no Qt)
    kit       kit                               (the screen kit)
    features  access, database, clients, checkers, settings, attachments, backups
    shell     app

Core folders include only core folders, the kit includes core and kit, a feature includes
core, kit and itself (never another feature), the shell includes anything.

It also checks that the program reaches the system through its platform layer alone: only
storage/Platform*.cpp include the system's headers (POSIX, Win32), call its functions, use
its types, test which system they are built for, or touch files and folders through the
standard library; only storage/UnicodeIcu.cpp includes ICU, which the Windows build goes
without. The screens reach the system through Qt, which carries them to every system.

    check_layers.py SRC         checks the tree
    check_layers.py --self-test checks the checks on a table of lines
"""
import pathlib
import re
import sys

CORE = {"storage", "archive", "report"}
KIT = {"kit"}
FEATURES = {"access", "database", "clients", "checkers", "settings", "attachments", "backups"}
SHELL = {"app"}

PLATFORM_FILES = {"storage/Platform.cpp", "storage/PlatformPosix.cpp", "storage/PlatformWin32.cpp"}
ICU_FILES = {"storage/UnicodeIcu.cpp"}

SYSTEM_HEADERS = re.compile(
    r"^\s*#\s*include\s*<(unistd\.h|fcntl\.h|sys/[^>]+|signal\.h|dirent\.h|spawn\.h|poll\.h|pthread\.h|"
    r"termios\.h|dlfcn\.h|pwd\.h|grp\.h|glob\.h|ftw\.h|fnmatch\.h|"
    r"windows\.h|winbase\.h|winnt\.h|winioctl\.h|fileapi\.h|handleapi\.h|processthreadsapi\.h|synchapi\.h|"
    r"shlobj\.h|shellapi\.h|io\.h|direct\.h|process\.h|share\.h)>",
    re.M | re.I)
ICU_HEADERS = re.compile(r"^\s*#\s*include\s*<unicode/[^>]+>", re.M)
SYSTEM_USES = [
    ("a POSIX call", re.compile(
        r"(?<![\w.>])::(open|openat|close|read|write|pread|pwrite|lseek|fsync|fdatasync|ftruncate|fstat|stat|lstat|"
        r"unlink|rename|kill|getpid|fchmod|chmod|mkdir|rmdir|opendir|readdir|fcntl|flock|access|dup2?|pipe|fork|"
        r"exec\w*|waitpid|realpath|readlink|symlink|link|sync_file_range|posix_fadvise|posix_spawn)\s*\(")),
    ("a POSIX call", re.compile(
        r"\b(fcntl|fdatasync|ftruncate|sync_file_range|posix_fadvise|lstat|fstat|pread|pwrite|fchmod|waitpid|"
        r"posix_spawnp?|opendir|readdir)\s*\(")),
    ("a Win32 call", re.compile(
        r"\b(CreateFile[AW]?|ReadFile|WriteFile|LockFileEx|LockFile|UnlockFileEx|UnlockFile|FlushFileBuffers|"
        r"MoveFileEx[AW]?|MoveFile[AW]?|ReplaceFile[AW]?|DeleteFile[AW]?|GetFileAttributes\w*|SetFileAttributes[AW]?|"
        r"CloseHandle|GetLastError|OpenProcess|GetModuleFileName[AW]?|CreateProcess[AW]?|SetFileInformationByHandle|"
        r"GetFileInformationByHandle\w*|FindFirstFile\w*|CreateDirectory[AW]?)\s*\(")),
    ("a system type", re.compile(r"\b(mode_t|pid_t|off_t|ssize_t|HANDLE|DWORD|struct\s+stat)\b")),
    ("a system constant", re.compile(
        r"\b(O_RDONLY|O_WRONLY|O_RDWR|O_CREAT|O_EXCL|O_NONBLOCK|O_CLOEXEC|O_NOFOLLOW|O_DIRECTORY|S_ISREG|S_ISDIR|"
        r"F_OFD_SETLK|F_SETLK|GENERIC_READ|GENERIC_WRITE|FILE_SHARE_\w+|MOVEFILE_\w+|INVALID_HANDLE_VALUE)\b")),
    ("a test of the system built for", re.compile(
        r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|__linux__|__unix__|__APPLE__|_MSC_VER|__MINGW32__)\b", re.M)),
    ("files through the standard library", re.compile(
        r"\bstd::filesystem::(?!path\b|filesystem_error\b)\w+|\bstd::(i|o)?fstream\b|\b(std::)?fopen\s*\(|"
        r"\bstd::system\s*\(|\bpopen\s*\(")),
    ("a system file", re.compile(r'"/(proc|dev|sys)/')),
]


def allowed(folder):
    if folder in CORE:
        return CORE
    if folder in KIT:
        return CORE | KIT
    if folder in FEATURES:
        return CORE | KIT | {folder}
    if folder in SHELL:
        return CORE | KIT | FEATURES | SHELL
    return None


def without_comments(text):
    """The source with its comments blanked out (strings kept, lines kept)."""
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
        elif text[i] in "\"'":
            quote, j = text[i], i + 1
            while j < n and text[j] != quote and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def system_faults(relative, text):
    """What a source file at `relative` (as "storage/X.cpp") asks of the system directly."""
    faults = []
    code = without_comments(text)
    if relative not in PLATFORM_FILES:
        if SYSTEM_HEADERS.search(code):
            faults.append("includes a system header")
        for what, pattern in SYSTEM_USES:
            if pattern.search(code):
                faults.append(f"uses {what} ({pattern.search(code).group(0).strip()})")
    if relative not in ICU_FILES and ICU_HEADERS.search(code):
        faults.append("includes ICU")
    return faults


def main(src):
    include = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.M)
    faults = []
    for path in sorted(pathlib.Path(src).rglob("*")):
        if path.suffix not in (".h", ".cpp", ".inc"):
            continue
        relative = path.relative_to(src).as_posix()
        folder = path.relative_to(src).parts[0]
        permitted = allowed(folder)
        if permitted is None:
            faults.append(f"{path}: folder '{folder}' belongs to no layer")
            continue
        text = path.read_text(encoding="utf-8")
        for target in include.findall(text):
            if target not in permitted:
                faults.append(f"{path}: includes {target}/, above its layer or a sibling feature")
        for fault in system_faults(relative, text):
            faults.append(f"{path}: {fault}, outside the platform layer")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} layering faults")
    return 1 if faults else 0


# (file, line, whether it is a fault)
SELF_TEST = [
    ("storage/RecordFile.cpp", "#include <unistd.h>", True),
    ("storage/RecordFile.cpp", "#include <sys/stat.h>", True),
    ("kit/Screens.cpp", "#include <Windows.h>", True),
    ("storage/RecordFile.cpp", "    ::unlink(path.c_str());", True),
    ("storage/RecordFile.cpp", "    if (::kill(pid, 0) == 0)", True),
    ("attachments/AttachmentFolder.cpp", "    ::fcntl(fd, F_SETFL, 0);", True),
    ("storage/TemporaryFile.cpp", "    sync_file_range(fd, 0, n, 0);", True),
    ("storage/TemporaryFile.cpp", "std::optional<mode_t> keep;", True),
    ("storage/TemporaryFile.cpp", "struct stat info {};", True),
    ("report/DocumentFile.cpp", "    HANDLE h = CreateFileW(name, GENERIC_READ, 0, 0, 0, 0, 0);", True),
    ("storage/IniFile.cpp", "    MoveFileExW(a, b, MOVEFILE_REPLACE_EXISTING);", True),
    ("storage/IniFile.cpp", "#ifdef _WIN32", True),
    ("storage/IniFile.cpp", "    std::filesystem::remove(path);", True),
    ("storage/IniFile.cpp", "    std::ofstream out(path);", True),
    ("storage/ProgramFolder.cpp", '    read("/proc/self/exe");', True),
    ("storage/Text.cpp", "#include <unicode/ustring.h>", True),
    ("storage/PlatformPosix.cpp", "#include <unistd.h>\n    ::unlink(path.c_str());", False),
    ("storage/PlatformWin32.cpp", "#include <windows.h>\n    CloseHandle(h);", False),
    ("storage/UnicodeIcu.cpp", "#include <unicode/ustring.h>", False),
    ("storage/RecordFile.cpp", "    platform::Close(fd_); // not ::close(fd), nor fsync", False),
    ("storage/RecordFile.cpp", "/* ::unlink(path) */ const std::filesystem::path& p = q;", False),
    ("storage/IniFile.cpp", '    Fail("open", "the file is marked read-only");', False),
    ("kit/Screens.cpp", "    file.readOnly = info.readOnly;", False),
]


def self_test():
    wrong = 0
    for relative, line, fault in SELF_TEST:
        found = bool(system_faults(relative, line + "\n"))
        if found != fault:
            wrong += 1
            print(f"{relative}: {line!r} {'passed' if fault else 'was flagged'}")
    print(f"{len(SELF_TEST) - wrong} passed, {wrong} failed")
    return 1 if wrong else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--self-test"]:
        sys.exit(self_test())
    sys.exit(main(pathlib.Path(sys.argv[1])))
