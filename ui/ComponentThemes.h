#pragma once
// The day/night looks of the platform's notice box (ProgressHud), drawn dialog
// (AlertDialog) and pattern text field. Installing them once at start-up makes
// every notice, dialog and field follow the theme: a notice reads the theme at
// each layout, a dialog when it is made, a field's placeholder at each drawing.
#include "platform/ui/AlertDialog.h"
#include "platform/ui/ProgressHud.h"

namespace vorn {

// Picture names of the dialog's artwork; the night versions end in "_black".
inline constexpr char kAlertDialogBackground[] = "AlertDialogBackground.png";
inline constexpr char kAlertDialogBackgroundNight[] = "AlertDialogBackground_black.png";
inline constexpr char kAlertDialogButtonBackground[] = "AlertDialogButtonBackground.png";
inline constexpr char kAlertDialogButtonBackgroundNight[] = "AlertDialogButtonBackground_black.png";
inline constexpr char kAlertDialogButtonBackgroundHighlighted[] = "AlertDialogButtonBackground_Highlighted.png";
inline constexpr char kAlertDialogButtonBackgroundHighlightedNight[] =
    "AlertDialogButtonBackground_Highlighted_black.png";
inline constexpr char kAlertDialogMessageListViewShadow[] = "AlertDialogMessageListViewShadow.png";
inline constexpr char kAlertDialogMessageListViewShadowNight[] = "AlertDialogMessageListViewShadow_black.png";

// The looks for the theme current now.
platform::ProgressHudLook progressHudLookForCurrentTheme();
platform::AlertDialogLook alertDialogLookForCurrentTheme();
bool isNightTheme();

// Installs the three as the components' providers.
void installComponentThemes();

}  // namespace vorn
