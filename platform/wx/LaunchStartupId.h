#pragma once
// The launcher's startup notification: the id a launch was started with (an X11 startup id, or a
// Wayland activation token), and the window that answers it when another copy takes the launch over.

#include <string>

class wxWindow;

// The id this process was launched with: DESKTOP_STARTUP_ID, else XDG_ACTIVATION_TOKEN; empty if
// neither is set. Call before the toolkit starts, which takes DESKTOP_STARTUP_ID out of the environment
// (and answers it itself when this process shows a window). The activation token is taken out here, so
// that programs this one starts do not reuse it.
std::string TakeLaunchStartupId();

// Brings frame to the front for the launch that startupId belongs to (none when empty): the launcher's
// startup notification ends, and the window manager takes the raise as asked for by that launch.
void RaiseForLaunch(wxWindow* frame, const std::string& startupId);
