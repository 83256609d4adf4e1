// SPDX-License-Identifier: MIT
#include "support/EnglishTexts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widget tests draw offscreen unless a test harness gave them a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator english;
    installEnglishTexts(english);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
