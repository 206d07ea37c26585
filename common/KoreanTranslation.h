#pragma once

// Loads Qt's own Korean translation into the application, so that standard
// buttons and dialogs ("예", "아니요", "확인") read in Korean. Call once at
// start-up, after the application object exists. False when the
// distribution's translation file is missing; the texts stay English then.
bool InstallKoreanTranslation();
