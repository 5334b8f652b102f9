#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/run_directory_port.h"
#include "runtime/ini_file.h"

namespace quorell {

class Window;

inline constexpr std::string_view kSettingsFileName = "程序配置.Ini";
inline constexpr std::string_view kBasicSection = "基础设置";
inline constexpr std::string_view kLayoutSection = "界面设置";
inline constexpr std::string_view kTransparencyKey = "是否透明";
inline constexpr std::string_view kBandwidthKey = "用户带宽";
inline constexpr std::string_view kTransparentOn = "是";
inline constexpr std::string_view kTransparentOff = "否";

// The settings file "程序配置.Ini" of the run directory. The path is built anew for every access, so a
// run directory that changes is followed. Every write replaces the file at once, whatever the store
// holds back of other files. Failed reads give the default; failed writes are ignored (and reported by
// the store).
class SettingsFile {
public:
    SettingsFile(IniStore& store, const RunDirectoryPort& runDirectory) : store_(store), runDirectory_(runDirectory) {}

    std::filesystem::path Path() const;
    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool Write(std::string_view section, std::string_view key, std::string_view value) const;
    // Writes every pair into `section` and saves the file once: the keys reach the disk in one replacement.
    bool WriteAll(std::string_view section, const std::vector<std::pair<std::string, std::string>>& pairs) const;

private:
    IniFile File() const;

    IniStore& store_;
    const RunDirectoryPort& runDirectory_;
};

// The main window's two settings: the bandwidth box "输入_网络带宽" and the check box "选择_是否透明".
// The bandwidth box shows the stored text (its current text when none is stored).
void LoadBandwidth(const SettingsFile& settings, Window& mainWindow);
// Stores the box's text unchanged.
void StoreBandwidth(const SettingsFile& settings, const Window& mainWindow);
// Ticks the check box when the stored value is exactly "是", clears it for anything else.
void LoadTransparency(const SettingsFile& settings, Window& mainWindow);
// Stores "是" when the check box is ticked, "否" when not.
void StoreTransparency(const SettingsFile& settings, const Window& mainWindow);

}  // namespace quorell
