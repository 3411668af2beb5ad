#pragma once

#include <QString>
#include <QStringView>

// The texts a child must be able to read when no language file holds them:
// the texts of message boxes (by string id), their button words (by their
// keys of section MsgBox) and the language menu's words for a program folder
// without language files. Empty for any other key.
QString lastResortText(QStringView key);
