// The names by which the server and the programs around it find each other's
// windows, and the caption of the server's own message boxes.
#pragma once

#include <string_view>

namespace tarvo {

// The server's own link window.
inline constexpr std::string_view kLinkWindowClass = "SimConnector";
inline constexpr std::string_view kLinkWindowTitle = "Tarvo81_Ldr";
// Caption of every message box the server shows about itself.
inline constexpr std::string_view kMessageBoxCaption = "Tarvo81_Ldr";

// The crew app's main window and its splash window.
inline constexpr std::string_view kCrewWindowClass = "CSpeaker";
inline constexpr std::string_view kCrewWindowTitle = "Zulcrest";
inline constexpr std::string_view kSplashWindowClass = "CSplash";
inline constexpr std::string_view kSplashWindowTitle = "Splash";

// The simulator's main window.
inline constexpr std::string_view kSimulatorWindowClass = "AceApp";

}  // namespace tarvo
