#include "platform/services/ServicesReset.h"

#include "platform/services/AudienceMeasurement.h"
#include "platform/services/Camera.h"
#include "platform/services/CrashReporter.h"
#include "platform/services/ImagePickerAnswers.h"
#include "platform/services/InstallAttribution.h"
#include "platform/services/LocationManager.h"
#include "platform/services/Pasteboard.h"
#include "platform/services/PerformanceMonitor.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/services/PushService.h"
#include "platform/services/SpeechRecognizer.h"
#include "platform/services/SystemSound.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/services/WeChatShare.h"
#include "platform/services/WeiboConnect.h"

namespace platform::services {

void resetAllServices() {
  UsageAnalytics::shared().reset();
  PerformanceMonitor::shared().reset();
  AudienceMeasurement::shared().reset();
  InstallAttribution::shared().reset();
  CrashReporter::shared().reset();
  PushService::shared().reset();
  WeChatShare::shared().reset();
  WeiboConnect::shared().reset();
  SpeechRecognizer::resetAll();
  SystemSound::shared().reset();
  LocationManager::resetAll();
  PhotoLibrary::shared().reset();
  Camera::shared().reset();
  ImagePickerAnswers::shared().reset();
  Pasteboard::general().reset();
}

}  // namespace platform::services
