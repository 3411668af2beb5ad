#pragma once

#include "resize/ResizableForm.h"

#include <QPointer>
#include <cstdint>
#include <vector>

// Scales every control of one window in proportion to the window's inner
// size, from the layout recorded the first time it was asked to. A control's
// "tag" property can opt out: a tag starting with '@' applies only the letters
// L, T, W and H it contains (left, top, width, height; for a line X1, Y1, X2,
// Y2); any other tag applies all four. Fonts are never scaled.
class clsResize {
public:
    clsResize() = default;
    ~clsResize();
    clsResize(const clsResize &) = delete;
    clsResize &operator=(const clsResize &) = delete;

    ResizableForm *SourceForm = nullptr;

    bool layoutPending() const { return layoutPending_; }

    // Sizes the window to percent % of the screen, centred, and scales it.
    void SizeFormToScreen(std::uint8_t percent);
    // Scales the controls to the window's current inner size.
    void ResizeControls();
    // Records the layout again from the controls' present places.
    void ReInitialise();

    // The adjustments a tag selects, as a mask of the flags below.
    enum Adjust : unsigned { Left = 1, Top = 2, Width = 4, Height = 8, All = 15 };
    static unsigned adjustmentsOfTag(const QString &tag);

private:
    struct ControlLayout {
        QPointer<QObject> Ctl;
        bool isLine = false;
        int Left = 0;    // X1 for a line
        int Top = 0;     // Y1
        int Width = 0;   // X2
        int Height = 0;  // Y2
    };

    void RecordLayout();

    bool layoutPending_ = true;
    int recordedScaleWidth_ = 0;
    int recordedScaleHeight_ = 0;
    std::vector<ControlLayout> layout_;
};
