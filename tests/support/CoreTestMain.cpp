// SPDX-License-Identifier: MIT
#include "support/EnglishTexts.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTranslator english;
    installEnglishTexts(english);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
