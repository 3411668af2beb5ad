#pragma once

#include <QSize>

// The size of the screen the windows fill, in device-independent pixels.
class Screen {
public:
    virtual ~Screen() = default;
    virtual QSize size() const = 0;
};

class SystemScreen final : public Screen {
public:
    QSize size() const override;
};
