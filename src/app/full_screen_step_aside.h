#pragma once

#include <string_view>

#include "app/settings_file.h"
#include "app/window_set.h"
#include "platform/full_screen_port.h"

namespace quorell {

inline constexpr std::string_view kStepAsideKey = "全屏时隐藏";
inline constexpr std::string_view kStepAsideOn = "是";
inline constexpr std::string_view kStepAsideOff = "否";

// The four monitor windows step aside while another program fills a screen (a video, a game, a
// presentation) and come back when it leaves. The windows only leave the screen: the user's choice of
// shown and hidden, the menu captions, the stored positions and the recording stay as they are. The tray
// menu's checkable item turns this on and off; the choice is the setting "全屏时隐藏" ("是" unless stored
// as "否").
class FullScreenStepAside {
public:
    // Without a port nothing ever fills a screen.
    FullScreenStepAside(const WindowSet& windows, const SettingsFile& settings, FullScreenPort* fullScreen)
        : windows_(windows), settings_(settings), fullScreen_(fullScreen) {}

    // Reads the setting and shows it as the menu item's check mark.
    void Load();
    // The one-second tick: looks again whether another program fills a screen.
    void OnTick();
    // The menu item: flips the setting and stores it at once; the monitors follow at once.
    void OnMenuItem();

private:
    void SetEnabled(bool enabled);
    void StepAside(bool aside);

    const WindowSet& windows_;
    const SettingsFile& settings_;
    FullScreenPort* fullScreen_;
    bool enabled_ = true;
    bool aside_ = false;
};

}  // namespace quorell
