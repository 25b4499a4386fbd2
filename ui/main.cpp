#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "ui/main_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tessaly::MainForm form;
    form.SetApplicationTitle("Tessaly");
    form.show();

    // For start-up measurements: report and leave once the first frame is on screen.
    if (qEnvironmentVariableIsSet("TESSALY_EXIT_AFTER_FIRST_PAINT")) {
        QTimer::singleShot(0, &form, [&form] {
            form.repaint();
            std::printf("first-paint\n");
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    return QApplication::exec();
}
