#pragma once

#include <QString>
#include <vector>

class QObject;
class QWidget;

// Translates a window from its section of the current language file (the
// section is the window's objectName): the title when it is not empty, the
// window's tag, and the caption, tooltip and tag of every control given, in
// that order, the accessible name of every widget among them (key
// Name.AccessibleName), and the tab texts of a tabbed control. Controls that are
// elements of an array carry their index in the "index" property and are
// looked up as Name(index).Caption. Empty values leave captions, tooltips and
// control tags as they are. Pending events run after each control, except the
// user's input, which waits until the walk is over. The locale of the
// file's [Voice] section becomes the default locale.
void MLSLocaliseForm(QWidget *window, const std::vector<QObject *> &controls);

// The caption of a control as localisation sees it (label or button text,
// frame title, menu item text); empty for controls without a caption.
QString captionOf(const QObject *control);
bool setCaptionOf(QObject *control, const QString &caption);

// Base names of the language files in folder (names ending in ".lng", in
// that case), in the order the file system lists them.
std::vector<QString> languageFileNames(const QString &folder);
