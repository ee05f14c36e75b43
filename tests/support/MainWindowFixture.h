#pragma once
// A main window on the fake platform, shown offscreen, with helpers that
// throw coins through the real buttons.

#include "app/ProgramState.h"
#include "app/Zendra12F.h"
#include "app/ZendraWindows.h"
#include "reading/Corpus.h"
#include "support/FakePlatform.h"
#include <QPushButton>
#include <functional>
#include <memory>

struct MainWindowFixture {
    FakePlatform fake;
    Platform seams = fake.seams();
    ProgramState state;
    std::unique_ptr<ZendraWindows> windows;
    TForm1 *form = nullptr;

    // prepare: fills the fake platform (stored settings, say) before the windows exist.
    explicit MainWindowFixture(const std::function<void(FakePlatform &)> &prepare = {})
    {
        if (prepare)
            prepare(fake);
        windows = std::make_unique<ZendraWindows>(seams, state, InterpretationCorpus::Embedded());
        form = windows->form1.get();
        form->resize(1280, 800);
        form->show();
    }

    // Timed mode: two presses whose marks differ by 0 (value 2) or 1 (value 3).
    void throwCoin(int coin, int value)
    {
        fake.clock.set(10, 0);
        form->Button[coin]->click();
        fake.clock.set(10, value == 3 ? 60 : 0);
        form->Button[coin]->click();
    }

    // Throws one timed line whose value is 6..9 (the number of threes is value - 6).
    void throwLine(int value)
    {
        const int threes = value - 6;
        for (int k = 0; k < 3; ++k)
            throwCoin(k, k < threes ? 3 : 2);
    }

    void throwCast(const QString &digits)
    {
        for (QChar c : digits)
            throwLine(c.unicode() - u'0');
    }
};
