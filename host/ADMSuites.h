// The host's dialog toolkit: basic services (alerts, cursors, string lists,
// number formatting), dialogs, items, icons and the rest. Tables only ever
// grow at the end. Every operation returns kNoErr or a host error code.
#pragma once

#include "AITypes.h"

typedef struct _t_ADMDialog* ADMDialogRef;
typedef struct _t_ADMItem* ADMItemRef;
typedef struct _t_ADMIcon* ADMIconRef;
typedef void* ADMUserData;
typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);

typedef struct ADMUnusedSuite { void* reserved; } ADMUnusedSuite;

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 11
typedef struct ADMBasicSuite {
  // Shows a modal message alert and returns when the user has dismissed it.
  ASErr (*MessageAlert)(const char* text);
  // Sets the pointer to the plug-in's cursor resource; an unknown id gives kBadParameterErr.
  ASErr (*SetPlatformCursor)(SPPluginRef self, int32_t cursorID);
  // Entry `index` (1-based) of the plug-in's string list stringID into a buffer of size bytes;
  // kNameNotFoundErr for an unknown list or entry.
  ASErr (*GetIndexString)(SPPluginRef self, int32_t stringID, int32_t index, char* buffer, int32_t size);
  // Formats value with `precision` decimals into a buffer of size bytes.
  ASErr (*ValueToText)(AIReal value, char* text, int32_t size, int32_t precision);
} ADMBasicSuite;

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 10
enum { kADMFloatingDialogStyle = 2, kADMModalDialogStyle = 0, kADMTabbedFloatingDialogStyle = 6 };
typedef struct ADMDialogSuite {
  // A floating dialog (panel) built from the plug-in's dialog resource; initProc runs once.
  ASErr (*Create)(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc, ADMUserData userData, int32_t options, ADMDialogRef* dialog);
  // Runs a modal dialog; returns when it closes, with the id of the item that closed it.
  ASErr (*Modal)(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc, ADMUserData userData, int32_t options, int32_t* itemHit);
  ASErr (*Destroy)(ADMDialogRef dialog);
  ASErr (*IsVisible)(ADMDialogRef dialog, ASBoolean* visible);
  ASErr (*Show)(ADMDialogRef dialog, ASBoolean show);
  ASErr (*EndModal)(ADMDialogRef dialog, int32_t modalResultID, ASBoolean cancelling);
  ASErr (*GetUserData)(ADMDialogRef dialog, ADMUserData* data);
  ASErr (*SetText)(ADMDialogRef dialog, const char* text);
} ADMDialogSuite;

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 7
typedef ADMUnusedSuite ADMItemSuite;

#define kADMIconSuite "ADM Icon Suite"
#define kADMIconSuiteVersion1 1
#define kADMIconSuiteVersion2 2
enum { kADMUnknownIconType = 7, kADMPNGIconType = 1 };
typedef struct ADMIconSuite {
  // Loads the plug-in's picture resource iconID; a missing resource gives an icon of type kADMUnknownIconType.
  ASErr (*GetFromResource)(SPPluginRef self, int32_t iconID, int32_t iconIndex, ADMIconRef* icon);
  ASErr (*GetType)(ADMIconRef icon, int32_t* type);
  ASErr (*GetSize)(ADMIconRef icon, int32_t* width, int32_t* height);
  ASErr (*Destroy)(ADMIconRef icon);
} ADMIconSuite;

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 2
typedef ADMUnusedSuite ADMTrackerSuite;
#define kADMDrawerSuite "ADM Drawer Suite"
#define kADMDrawerSuiteVersion 7
typedef ADMUnusedSuite ADMDrawerSuite;
#define kADMDialogGroupSuite "ADM Dialog Group Suite"
#define kADMDialogGroupSuiteVersion 1
typedef ADMUnusedSuite ADMDialogGroupSuite;
#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 1
typedef ADMUnusedSuite ADMListSuite;
#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 2
typedef ADMUnusedSuite ADMEntrySuite;
#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 2
typedef ADMUnusedSuite ADMNotifierSuite;
