// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFile>
#include <QLineEdit>

// A Qt paste target for the shell-driven tests: a line edit whose text is written to the file
// named by its argument whenever it changes (empty at the start, so the file says it is ready).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString path = app.arguments().value(1);
    QLineEdit field;
    const auto save = [&path](const QString& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(text.toUtf8());
        }
    };
    QObject::connect(&field, &QLineEdit::textChanged, save);
    save(QString());
    field.show();
    return app.exec();
}
