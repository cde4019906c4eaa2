#include "cli/ConsoleWindow.h"

#include <gtest/gtest.h>

using cindral::MessageIcon;
using cindral::cli::ConsoleWindow;
using cindral::cli::Verbosity;

namespace {

struct Console
{
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
};

TEST(ConsoleWindow, BoxesAreLinesOnTheStreamOfTheirIcon)
{
    Console console;
    ConsoleWindow window("secret", "dir/a b.txt", Verbosity::Quiet, console.outStream,
                         console.errStream);
    window.messageBox("The selected File has been Encrypted and Saved", "Encrypted",
                      MessageIcon::Information);
    window.messageBox("Enter a Password", "No Password", MessageIcon::Exclamation);
    window.messageBox("Wrong Password", "Wrong Password,Access Denied", MessageIcon::Critical);

    EXPECT_EQ(console.out.toStdString(),
              "dir/a b.txt: Encrypted: The selected File has been Encrypted and Saved\n");
    EXPECT_EQ(console.err.toStdString(),
              "dir/a b.txt: No Password: Enter a Password\n"
              "dir/a b.txt: Wrong Password,Access Denied: Wrong Password\n");
}

TEST(ConsoleWindow, StageTextsOnlyWhenAskedFor)
{
    for (const Verbosity verbosity : {Verbosity::Quiet, Verbosity::Stages}) {
        Console console;
        ConsoleWindow window("secret", "a.txt", verbosity, console.outStream, console.errStream);
        window.pointerBusy();
        window.showStatusBar();
        window.setStageText("Encrypting the File...");
        window.hideStatusBar();
        window.pointerNormal();

        EXPECT_EQ(console.out, QString());
        EXPECT_EQ(console.err.toStdString(),
                  verbosity == Verbosity::Stages ? "a.txt: Encrypting the File...\n" : "");
    }
}

} // namespace
