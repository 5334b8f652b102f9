#include "platform/windows/autostart_windows.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/windows/run_directory_windows.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using Microsoft::WRL::ComPtr;
using testing::PathFromUtf8;

// What the shell itself reads from a shortcut: where it leads and where it starts.
struct ShellShortcut {
    std::wstring target;
    std::wstring workingDirectory;
};

ShellShortcut ReadThroughTheShell(const std::filesystem::path& shortcut) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    EXPECT_HRESULT_SUCCEEDED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)));
    EXPECT_HRESULT_SUCCEEDED(link.As(&file));
    EXPECT_HRESULT_SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ));
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return {target, folder};
}

class StartupShortcut : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { ::CoUninitialize(); }
};

TEST_F(StartupShortcut, LeadsToThisProgramInItsFolderAndGoesAwayReadThroughTheShell) {
    testing::TempDir dir;
    const std::filesystem::path startup = dir.Path() / PathFromUtf8("启动");
    std::filesystem::create_directory(startup);
    const std::filesystem::path program = ExecutablePath();
    WindowsAutostart autostart(startup, program);
    EXPECT_FALSE(autostart.StartsWithSession());

    ASSERT_TRUE(autostart.SetStartsWithSession(true)) << autostart.Reason();
    const std::filesystem::path shortcut = startup / L"Quorell.lnk";
    const ShellShortcut read = ReadThroughTheShell(shortcut);
    EXPECT_EQ(::CompareStringOrdinal(read.target.c_str(), -1, program.c_str(), -1, TRUE), CSTR_EQUAL)
        << testing::Utf8FromPath(read.target);
    EXPECT_EQ(std::filesystem::path(read.workingDirectory), program.parent_path());
    EXPECT_TRUE(autostart.StartsWithSession());
    // The same shortcut does not start another program, nor does a copy of this one elsewhere.
    EXPECT_FALSE(WindowsAutostart(startup, dir.Path() / L"quorell.exe").StartsWithSession());

    ASSERT_TRUE(autostart.SetStartsWithSession(false)) << autostart.Reason();
    EXPECT_FALSE(std::filesystem::exists(shortcut));
    EXPECT_FALSE(autostart.StartsWithSession());
    EXPECT_TRUE(autostart.SetStartsWithSession(false));

    // A Startup folder that is not there: the failure names the shortcut.
    WindowsAutostart missing(dir.Path() / L"no-such-folder", program);
    EXPECT_FALSE(missing.SetStartsWithSession(true));
    EXPECT_NE(missing.Reason().find("Quorell.lnk"), std::string::npos) << missing.Reason();
    EXPECT_TRUE(std::filesystem::is_directory(UserStartupFolder()));
}

}  // namespace
}  // namespace quorell
