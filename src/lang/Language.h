#pragma once

#include "lang/IniFile.h"
#include "platform/Dialogs.h"

#include <QString>

// The language layer: the settings file LangSetting.ini and the language
// files "<name>.lng" in the program folder. Every failure reads as the empty
// text, except in the texts of message boxes (messageText); nothing here
// throws.

// One key of an INI-format file. Files under 64001 bytes are read with the
// classic INI rules (iniRead); larger ones by a plain line scan: the first
// line anywhere whose first characters are exactly key gives the rest of the
// line after key and one separator, less its first and last characters.
QString MLSReadIni(const QString &file, const QString &section, const QString &key);

// The keys of one section of a file, read as MLSReadIni reads them, from the
// file as it stood when the reader was made: a window's walk reads many keys
// and looks at the file on disk once.
class SectionReader {
public:
    SectionReader(const QString &file, const QString &section);
    QString value(QStringView key) const;

private:
    QString section_;
    bool readable_ = false;
    bool lineScan_ = false;
    QByteArray bytes_;   // the file, for the line scan
    IniIndex index_;
};

// Sets one key (iniWrite); nonzero on success.
int MLSWriteIni(const QString &file, const QString &section, const QString &key,
                const QString &value);

// The text of a string id ("0001") in the current language. Loads the cached
// language name from LangSetting.ini first when it is empty.
QString MLSGetString(const QString &id);

// The file of the current language in the program folder: the file of the
// cached language name as it stands (the name is not loaded here) when it is
// usable, that is readable and holding [Strings] 0001 and the main menu's
// title; else Italiano.lng, else the first other usable .lng by name. A name
// with a path separator names no file, since a language is a file of the
// program folder itself. When none is usable, the named file if it holds
// any key, else Italiano.lng if it does, else the named file.
QString languageFile();

// CurrentLanguage of LangSetting.ini. The user's own copy in the settings
// folder ($XDG_CONFIG_HOME/quadrivel) is read first when it exists; when it
// names no language, the one in the program folder. A choice is written into
// the program folder; when that cannot be written (an installation the child
// may not change, a full disk), into the user's own copy, which is also kept
// in step whenever it exists. The choice counts as saved when the setting
// then reads back as it: Nowhere when a write that mattered failed, a
// read-only user's copy included. Stale temporary files of an earlier save
// cut short are removed first. A name that would not read back the same
// (blanks at its ends, characters outside Windows-1252) is not written.
QString readLanguageSetting();
enum class SettingSaved { Yes, Nowhere, NameNotKept };
SettingSaved writeLanguageSetting(const QString &name);

// The text of string id for a message box, which the child must be able to
// read: from the current language when it holds it, else from the first
// whole language holding it (Italiano.lng, then the others by name), else
// from the built-in last resort. Labels use MLSGetString, where a missing
// text is empty.
QString messageText(const QString &id);

// The words on message-box buttons (section MsgBox, keys Yes, No and OK),
// each found as messageText finds a text.
ButtonWords messageBoxWords();

// A message box of a text already looked up, its button words those of
// messageBoxWords().
MessageAnswer showMessage(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                          MessageIcon icon);

// A message box of string id, its text found as messageText finds it; its
// button words come from the language that gave the text when it has them,
// else as messageBoxWords() finds them; with a text of the last resort, from
// the last resort.
MessageAnswer showStringMessage(QWidget *parent, const QString &id, const QString &title, MessageButtons buttons,
                                MessageIcon icon);
