#include "platform/Cp1250.h"
#include "shell/SarWProgram.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::string> parameters;
    for (const QString& a : app.arguments().mid(1))
        parameters.push_back(sarw::utf8ToCp1250(a.toStdString()));
    return sarw::runSarW(app, parameters);
}
