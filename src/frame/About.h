#pragma once

#include <QString>

class QWidget;

// The credits shown at the top of the about box: four lines joined by CR LF,
// with no line break at the end.
extern const QString kCreditBlock;

// The about box text: the credits, then, when any of the texts 9996 to 9999
// has words, a line of 23 hyphens and those texts, one a line.
QString testoInformazioni();

// Shows the about box.
void MostraInformazioni(QWidget *parent);
