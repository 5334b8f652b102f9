// Windows' own private-profile calls are the reference for the file format. Files written by a run of
// the program must read the same through GetPrivateProfileStringA (sections, key lists, values), and
// files written by WritePrivateProfileStringA and edited by hand must read right in ours. Runs with
// the simplified-Chinese ANSI code page (936), as on the machines the files come from.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app_rig.h"
#include "runtime/ini_store.h"
#include "support/system_ini_store.h"

namespace quorell {
namespace {

using testing::AppRig;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr DWORD kBufferBytes = 65536;

// Text in the ANSI code page, converted by Windows itself, and back.
std::string Ansi(std::string_view utf8) {
    const std::filesystem::path wide = testing::PathFromUtf8(utf8);
    const std::wstring& text = wide.native();
    const int length = static_cast<int>(text.size());
    std::string ansi(static_cast<std::size_t>(length) * 2, '\0');
    ansi.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), length * 2, nullptr, nullptr)));
    return ansi;
}

std::string FromAnsi(std::string_view ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return testing::Utf8FromPath(std::filesystem::path(wide));
}

std::string AnsiPath(const std::filesystem::path& file) {
    return Ansi(testing::Utf8FromPath(file));
}

// A list of NUL-terminated texts ending with an empty one, as the profile calls return lists.
std::vector<std::string> Names(const std::string& buffer, DWORD length) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < length;) {
        const std::size_t end = buffer.find('\0', at);
        names.push_back(FromAnsi(std::string_view(buffer).substr(at, end - at)));
        at = end + 1;
    }
    return names;
}

std::vector<std::string> ProfileSections(const std::filesystem::path& file) {
    std::string buffer(kBufferBytes, '\0');
    const DWORD length = ::GetPrivateProfileSectionNamesA(buffer.data(), kBufferBytes, AnsiPath(file).c_str());
    return Names(buffer, length);
}

std::vector<std::string> ProfileKeys(const std::filesystem::path& file, std::string_view section) {
    std::string buffer(kBufferBytes, '\0');
    const DWORD length = ::GetPrivateProfileStringA(Ansi(section).c_str(), nullptr, "", buffer.data(), kBufferBytes,
                                                    AnsiPath(file).c_str());
    return Names(buffer, length);
}

// The value through Windows; "<absent>" when the section or the key is not there.
std::string ProfileRead(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    std::string buffer(kBufferBytes, '\0');
    const DWORD length = ::GetPrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(), "<absent>", buffer.data(),
                                                    kBufferBytes, AnsiPath(file).c_str());
    return FromAnsi(std::string_view(buffer).substr(0, length));
}

void ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value) {
    ASSERT_TRUE(::WritePrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(), Ansi(value).c_str(),
                                             AnsiPath(file).c_str()))
        << key << " error " << ::GetLastError() << " path " << AnsiPath(file);
}

// The sections of a file and their keys, in the order of its lines, from its plain text.
using Layout = std::vector<std::pair<std::string, std::vector<std::string>>>;

Layout LayoutOf(const std::filesystem::path& file) {
    const std::string text = testing::SystemGbk().GbkToUtf8(ReadFileBytes(file)).value_or("");
    Layout layout;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 2;
        if (!line.empty() && line.front() == '[') {
            layout.emplace_back(line.substr(1, line.find(']') - 1), std::vector<std::string>{});
        } else if (!layout.empty() && line.find('=') != std::string::npos) {
            layout.back().second.push_back(line.substr(0, line.find('=')));
        }
    }
    return layout;
}

class PrivateProfile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8 (the ANSI code page 936)"; }

    std::filesystem::path File(std::string_view name) const { return rig.dir.File(name); }
    void TickMonitors() {
        rig.Get(WindowKind::CpuMonitor).Timer("时钟_Cpu").Tick();
        rig.Get(WindowKind::MemoryMonitor).Timer("时钟_内存").Tick();
        rig.Get(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
        rig.Get(WindowKind::SendMonitor).Timer("时钟_Lan").Tick();
        rig.store.Flush();  // the program holds history back for a while; Windows reads what is on disk
    }

    AppRig rig;
    testing::SystemIniStore ours;
};

TEST_F(PrivateProfile, FilesOfARunReadTheSameThroughTheWindowsCalls) {
    rig.desktop.screens = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    rig.memory.Set(8ull << 30, 2ull << 30, 75);
    rig.Start();
    rig.Get(WindowKind::CpuMonitor).MoveTo(-1280, 5);
    rig.Main().EditBox("输入_网络带宽").SetText("15");
    rig.Main().CheckBox("选择_是否透明").Click();
    // Across a new year, so that every section and key of the history files exists, two year keys too.
    const CivilTime seconds[] = {{2011, 12, 31, 23, 59, 58}, {2011, 12, 31, 23, 59, 59}, {2012, 1, 1, 0, 0, 0}};
    for (const CivilTime& now : seconds) {
        rig.clock.now = now;
        rig.cpu.Advance(3'000'000, 10'000'000);
        rig.interfaces.rows[1].receivedBytes += 640000;
        rig.interfaces.rows[1].sentBytes += 12800;
        TickMonitors();
    }

    for (const char* name : {"程序配置.Ini", "Cpu.FDB", "内存.FDB", "接收.FDB", "发送.FDB"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = File(name);
        const Layout layout = LayoutOf(file);
        ASSERT_FALSE(layout.empty()) << ReadFileBytes(file).size();
        std::vector<std::string> sections;
        for (const auto& [section, keys] : layout) {
            sections.push_back(section);
            EXPECT_EQ(ProfileKeys(file, section), keys) << section;
            for (const std::string& key : keys) {
                const std::string value = ours.Read(file, section, key, "<absent>");
                EXPECT_NE(value, "<absent>") << section << "/" << key;
                EXPECT_EQ(ProfileRead(file, section, key), value) << section << "/" << key;
            }
        }
        EXPECT_EQ(ProfileSections(file), sections);
    }
    // Keys are found whatever the case of their ASCII letters, by both.
    EXPECT_EQ(ProfileRead(File("程序配置.Ini"), "界面设置", "CPU左边"), "-1280");
    EXPECT_EQ(ours.Read(File("程序配置.Ini"), "界面设置", "cpu左边"), "-1280");
    EXPECT_EQ(ProfileRead(File("程序配置.Ini"), "基础设置", "是否透明"), "是");
    EXPECT_EQ(ProfileRead(File("接收.FDB"), "其他", "2011"), "1000");
    EXPECT_EQ(ProfileRead(File("接收.FDB"), "其他", "2012"), "500");
    EXPECT_EQ(ProfileRead(File("接收.FDB"), "其他", "时间"), "2011年12月31日23时59分58秒");
}

TEST_F(PrivateProfile, FilesWrittenThroughTheWindowsCallsReadRightInOurs) {
    const std::filesystem::path settings = File("程序配置.Ini");
    ProfileWrite(settings, "基础设置", "用户带宽", "15");
    ProfileWrite(settings, "基础设置", "是否透明", "是");
    ProfileWrite(settings, "界面设置", "CPU左边", "-1280");
    ProfileWrite(settings, "界面设置", "cpu顶边", "40");
    // Edited by hand: blanks around the names and values, quotes, a comment, a line that is a key.
    WriteFileBytes(settings, ReadFileBytes(settings) +
                                 testing::SystemGbk()
                                     .Utf8ToGbk("; 手写的注释\r\n  内存左边  =  300  \r\n内存顶边=\"200\"\r\n"
                                                "接收左边='-5'\r\n#发送左边=9\r\n")
                                     .value());
    const std::pair<const char*, const char*> expected[] = {
        {"Cpu左边", "-1280"}, {"Cpu顶边", "40"},  {"内存左边", "300"},
        {"内存顶边", "200"},  {"接收左边", "-5"}, {"#发送左边", "9"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(ProfileRead(settings, "界面设置", key), value) << key;
        EXPECT_EQ(ours.Read(settings, "界面设置", key, "<absent>"), value) << key;
    }
    EXPECT_EQ(ours.Read(settings, "界面设置", "发送左边", "<absent>"), "<absent>");
    // The comment is no key; the line starting with '#' is one.
    EXPECT_EQ(ProfileKeys(settings, "界面设置"),
              (std::vector<std::string>{"CPU左边", "cpu顶边", "内存左边", "内存顶边", "接收左边", "#发送左边"}));

    const std::filesystem::path cpu = File("Cpu.FDB");
    ProfileWrite(cpu, "今天", "14", "13");
    ProfileWrite(cpu, "全部", "14", "100");
    ProfileWrite(cpu, "全部", "14_a", "4");
    const std::filesystem::path receive = File("接收.FDB");
    ProfileWrite(receive, "其他", "最高", "500");
    ProfileWrite(receive, "其他", "时间", "2011年6月1日8时");
    ProfileWrite(receive, "其他", "秒数", "10");

    // The program starts on these files and goes on with them.
    rig.desktop.screens = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    rig.clock.now = {2011, 6, 13, 14, 5, 0};
    rig.Start();
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Position(), (Point{-1280, 40}));
    EXPECT_EQ(rig.Get(WindowKind::MemoryMonitor).Position(), (Point{300, 200}));
    EXPECT_EQ(rig.Get(WindowKind::ReceiveMonitor).Position(), (Point{-5, 469}));
    EXPECT_EQ(rig.Main().EditBox("输入_网络带宽").Text(), "15");
    EXPECT_TRUE(rig.Main().CheckBox("选择_是否透明").Checked());
    Window& trend = rig.Get(WindowKind::Trend);
    trend.Timer("时钟_统计流量").Tick();
    EXPECT_EQ(trend.Label("接收_最高").Text(), "500 Kb");
    EXPECT_EQ(trend.Label("接收_时间").Text(), "2011年6月1日8时");

    rig.cpu.Advance(6'300'000, 10'000'000);  // 37 % busy
    TickMonitors();
    // What the program wrote reads right through Windows, and the hand-made lines are still there.
    EXPECT_EQ(ProfileRead(cpu, "全部", "14"), "137");
    EXPECT_EQ(ProfileRead(cpu, "全部", "14_A"), "5");
    EXPECT_EQ(ProfileRead(receive, "其他", "秒数"), "11");
    EXPECT_EQ(ProfileRead(settings, "界面设置", "内存左边"), "300");
    EXPECT_EQ(ProfileRead(settings, "界面设置", "#发送左边"), "9");
    EXPECT_NE(ReadFileBytes(settings).find(testing::SystemGbk().Utf8ToGbk("; 手写的注释").value()), std::string::npos);
}

}  // namespace
}  // namespace quorell
