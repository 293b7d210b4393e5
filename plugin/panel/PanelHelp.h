// The panel's help area: eleven pages, next and previous buttons and the
// page counter.
#pragma once

#include "host/ADMSuites.h"

// Shows page HelpPage and enables the buttons that lead somewhere.
void ShowHelpPage();

void OnHelpNext(ADMItemRef item, ADMNotifierRef notifier);
void OnHelpPrevious(ADMItemRef item, ADMNotifierRef notifier);

inline constexpr const char* kNextPageTip = "Page suivante de l'aide.";
inline constexpr const char* kLastPageTip = "Derni\xE8re page de l'aide.";
inline constexpr const char* kPreviousPageTip = "Page pr\xE9" "c\xE9" "dente de l'aide.";
inline constexpr const char* kFirstPageTip = "Premi\xE8re page de l'aide.";
