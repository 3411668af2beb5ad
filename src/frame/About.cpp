#include "frame/About.h"

#include "lang/Language.h"
#include "platform/ProgramState.h"

const QString kCreditBlock = QStringLiteral(
    "Quadrivel\r\n"
    "---------\r\n"
    "https://quadrivel.example/\r\n"
    "info@quadrivel.example");

QString testoInformazioni()
{
    static const char *const ids[] = {"9996", "9997", "9998", "9999"};
    QString lines;
    for (const char *id : ids) {
        const QString text = MLSGetString(QLatin1String(id));
        if (!text.isEmpty())
            lines += text + QStringLiteral("\r\n");
    }
    if (!lines.isEmpty())
        lines.prepend(QStringLiteral("\r\n-----------------------\r\n"));
    return kCreditBlock + lines;
}

void MostraInformazioni(QWidget *parent)
{
    showMessage(parent, testoInformazioni(), QStringLiteral("Quadrivel"), MessageButtons::Ok,
                MessageIcon::Information);
}
