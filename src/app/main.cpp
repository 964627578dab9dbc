#include "app/frmtavo.h"
#include "style/fontsubstitutes.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvane-extras"));
    TavoBAS::installFontSubstitutes();

    frmTavo launcher;
    launcher.show();
    return QApplication::exec();
}
