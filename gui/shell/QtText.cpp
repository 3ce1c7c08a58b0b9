#include "shell/QtText.h"

#include "platform/Cp1250.h"

namespace sarw {

QString qs(const std::string& cp1250) {
    return QString::fromStdString(cp1250ToUtf8(cp1250));
}

std::string cp(const QString& text) {
    return utf8ToCp1250(text.toStdString());
}

QString boxText(const std::string& cp1250) {
    QString t = qs(cp1250);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace sarw
