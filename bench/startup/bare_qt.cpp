// The yardstick for Vellum's start-up: the least a Qt 6 program does to show a text file, a plain
// QPlainTextEdit window about the size of Vellum's that loads the file named on the command line.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QPlainTextEdit edit;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            edit.setPlainText(QString::fromLocal8Bit(file.readAll()));
    }
    edit.setWindowTitle(u"bare Qt"_qs);
    edit.resize(500, 410);
    edit.show();
    return QApplication::exec();
}
