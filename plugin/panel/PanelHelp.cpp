#include "panel/PanelHelp.h"

#include "core/State.h"
#include "core/Suites.h"
#include "panel/HelpPages.h"
#include "panel/PanelIds.h"
#include "panel/PanelUi.h"

void ShowHelpPage() {
  const State& g = *gState;
  EnableItem(kItemHelpPrevious, g.HelpPage > 1);
  EnableItem(kItemHelpNext, g.HelpPage < g.HelpPageCount);
  // A page number out of range leaves the text shown.
  if (const char* text = HelpPageText(g.HelpPage)) SetItemText(kItemHelpText, text);
  SetItemIntValue(kItemHelpPage, g.HelpPage);
}

void OnHelpNext(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  ++g.HelpPage;
  if (g.HelpPage < g.HelpPageCount) {
    SetItemTip(kItemHelpNext, kNextPageTip);
    EnableItem(kItemHelpNext, true);
  } else {
    SetItemTip(kItemHelpNext, kLastPageTip);
    g.HelpPage = g.HelpPageCount;
    EnableItem(kItemHelpNext, false);
  }
  EnableItem(kItemHelpPrevious, true);
  SetItemTip(kItemHelpPrevious, kPreviousPageTip);
  SetItemIntValue(kItemHelpPage, g.HelpPage);
  ShowHelpPage();
}

void OnHelpPrevious(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  --g.HelpPage;
  if (g.HelpPage > 1) {
    SetItemTip(kItemHelpPrevious, kPreviousPageTip);
    EnableItem(kItemHelpPrevious, true);
  } else {
    SetItemTip(kItemHelpPrevious, kFirstPageTip);
    g.HelpPage = 1;
    EnableItem(kItemHelpPrevious, false);
  }
  EnableItem(kItemHelpNext, true);
  SetItemTip(kItemHelpNext, kNextPageTip);
  SetItemIntValue(kItemHelpPage, g.HelpPage);
  ShowHelpPage();
}
