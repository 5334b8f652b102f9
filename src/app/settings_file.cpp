#include "app/settings_file.h"

#include "runtime/ini_store.h"

#include "ui_model/control_names.h"
#include "ui_model/controls.h"
#include "ui_model/window.h"

namespace quorell {

std::filesystem::path SettingsFile::Path() const {
    return runDirectory_.RunDirectory() /
           std::filesystem::path(
               std::u8string(reinterpret_cast<const char8_t*>(kSettingsFileName.data()), kSettingsFileName.size()));
}

IniFile SettingsFile::File() const {
    return IniFile(store_, Path());
}

std::string SettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return File().Read(section, key, defaultValue);
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) const {
    // Settings are never held back: a crash or power cut must not take the user's choices with it.
    const IniFile file = File();
    return file.Write(section, key, value) && store_.Save(file.Path());
}

bool SettingsFile::WriteAll(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& pairs) const {
    const IniFile file = File();
    bool written = true;
    for (const auto& [key, value] : pairs) {
        written = file.Write(section, key, value) && written;
    }
    return store_.Save(file.Path()) && written;
}

void LoadBandwidth(const SettingsFile& settings, Window& mainWindow) {
    EditBox& box = mainWindow.EditBox(names::kBandwidthBox);
    box.SetText(settings.Read(kBasicSection, kBandwidthKey, box.Text()));
}

void StoreBandwidth(const SettingsFile& settings, const Window& mainWindow) {
    settings.Write(kBasicSection, kBandwidthKey, mainWindow.EditBox(names::kBandwidthBox).Text());
}

void LoadTransparency(const SettingsFile& settings, Window& mainWindow) {
    const std::string stored = settings.Read(kBasicSection, kTransparencyKey, "");
    mainWindow.CheckBox(names::kTransparencyBox).SetChecked(stored == kTransparentOn);
}

void StoreTransparency(const SettingsFile& settings, const Window& mainWindow) {
    const bool ticked = mainWindow.CheckBox(names::kTransparencyBox).Checked();
    settings.Write(kBasicSection, kTransparencyKey, ticked ? kTransparentOn : kTransparentOff);
}

}  // namespace quorell
