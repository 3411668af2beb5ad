#pragma once

#include <QString>

class QWidget;

// What a screen reader is told about the program's windows and controls.
//
// Every window (FormBase) is a window to assistive technology, named by its
// title. A label with an accessible name reads that name as a title before
// its own text: the count " 3" with the name "Right" is "Right 3", and a
// picture label is its name alone. Everything else keeps the toolkit's own
// reading: a control's accessible name, or else its caption.
//
// Names come from the language files, in two ways:
//   - a key "Control.AccessibleName" (or "Control(i).AccessibleName") in the
//     window's section, read by window localisation for every control;
//   - the words of the shared section [Accessible], which the frame gives
//     to the controls every exercise window has (answer boxes, the yes and no
//     icons, the term boxes), through accessibleWord().
void installAccessibility();

// A word of the section [Accessible] of the current language ("Answer",
// "Right", "Wrong", "Term", "Product"); %1, %2 in it are filled with
// first and second when first is given. Empty when the language has none.
QString accessibleWord(const QString &key, const QString &first = {}, const QString &second = {});
// A word read once and filled for many controls.
QString fillWord(QString word, const QString &first, const QString &second = {});

// Tells assistive technology that a label's reading changed, for labels
// whose name is a title (the toolkit tells only for labels read by text).
void announceNameChange(QWidget *widget);

// Has a screen reader speak text now, as news from the window that holds
// from: a verdict, a new exercise or step, a digit picked up, moved or
// dropped. Only for screen readers; reading aloud has its own path.
// The text is shown as a notification of from's window (a label of no size
// that only assistive technology sees), which a screen reader speaks
// without taking the focus from where the child is. Nothing happens while
// no assistive technology listens.
void announce(QWidget *from, const QString &text);
// Two pieces of news as one, the first ended as a sentence, so that a
// screen reader, or the voice reading aloud, pauses between them:
// "Esatto. Quanto fa 7 per 8?".
QString joinedNews(const QString &first, const QString &second);

// Whether assistive technology listens, so that news is worth telling.
bool screenReaderListening();
// Has news told as if a screen reader listened, for tests that stand in for
// one (offscreen, no assistive technology ever listens).
void standInForScreenReader(bool on);
