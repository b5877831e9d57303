#pragma once
// The History page: the undo history as a list; a click (or Enter) on an entry restores it at once.
#include <string>

class QvHistory;

// The description of entry i (0 = the oldest) of the history ring; empty outside the entries.
std::string historyEntryText(const QvHistory& history, int i);
void showHistoryPage(QvHistory& history);
