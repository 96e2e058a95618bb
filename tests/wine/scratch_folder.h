#pragma once
// A fresh folder under the temp folder for one test, removed with its contents afterwards. The removal
// never enters a junction or symbolic link: those are removed as entries.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/wide.h"

namespace trenmoor::testing {

class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<unsigned> serial{0};
        wchar_t temp[MAX_PATH + 1];
        const DWORD len = GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp, len) + L"trenmoor-wine-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(serial++);
        RemoveTree(path_);
        created_ = CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
    }
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] bool created() const { return created_; }
    // UTF-8 path of the folder (no trailing backslash), or of `name` inside it.
    [[nodiscard]] std::string path(const std::string& name = "") const {
        const std::string folder = platform::win32::Narrow(path_);
        return name.empty() ? folder : folder + "\\" + name;
    }

  private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW fd;
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                const bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                const bool link = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
                if (dir && !link)
                    RemoveTree(full);
                else if (dir)
                    RemoveDirectoryW(full.c_str());
                else
                    DeleteFileW(full.c_str());
            } while (FindNextFileW(find, &fd));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
    bool created_ = false;
};

}  // namespace trenmoor::testing
