#include "ui/ComponentThemes.h"

#include "core/AppDelegate.h"
#include "platform/ui/PatternTextField.h"

namespace vorn {

bool isNightTheme() { return AppDelegate::getCurrentMode() != kThemeModeNormal; }

platform::ProgressHudLook progressHudLookForCurrentTheme() {
  const bool night = isNightTheme();
  platform::ProgressHudLook look;
  look.boxColor = night ? platform::Color::rgb255(61, 132, 170) : platform::Color::rgb255(53, 160, 217);
  look.cornerRadius = 10;
  look.labelColor = night ? platform::Color::rgb255(209, 216, 220) : platform::Color::white();
  look.detailsLabelColor = platform::Color::white();
  look.labelFont = platform::Font::boldSystemFont(16);
  look.detailsLabelFont = platform::Font::boldSystemFont(12);
  look.margin = 20;
  return look;
}

platform::AlertDialogLook alertDialogLookForCurrentTheme() {
  const bool night = isNightTheme();
  platform::AlertDialogLook look;
  look.titleFont = platform::Font::boldSystemFont(18);
  look.messageFont = platform::Font::systemFont(16);
  look.titleColor = night ? platform::Color::rgb255(165, 175, 187) : platform::Color::rgb255(91, 94, 101);
  look.messageColor = look.titleColor;
  look.buttonTitleColor = night ? platform::Color::rgb255(209, 216, 220) : platform::Color::rgb255(91, 94, 101);
  // The colours of our artwork, for drawing where the pictures are not stretched in.
  look.boxColor = night ? platform::Color::rgb255(49, 50, 55) : platform::Color::rgb255(250, 250, 250);
  look.buttonColor = night ? platform::Color::rgb255(56, 58, 64) : platform::Color::rgb255(244, 244, 244);
  look.backgroundImageName = night ? kAlertDialogBackgroundNight : kAlertDialogBackground;
  look.buttonImageName = night ? kAlertDialogButtonBackgroundNight : kAlertDialogButtonBackground;
  look.buttonHighlightedImageName =
      night ? kAlertDialogButtonBackgroundHighlightedNight : kAlertDialogButtonBackgroundHighlighted;
  return look;
}

void installComponentThemes() {
  platform::ProgressHud::setLookProvider(progressHudLookForCurrentTheme);
  platform::AlertDialog::setLookProvider(alertDialogLookForCurrentTheme);
  platform::PatternTextField::setNightModeProvider(isNightTheme);
}

}  // namespace vorn
