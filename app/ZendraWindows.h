#pragma once
// All of Zendra's windows, created once in their fixed order and kept until
// the program ends; main() and the tests build the same set.

#include "platform/Platform.h"
#include "app/ProgramState.h"
#include <memory>

class InterpretationCorpus;
class TForm1;
class TForm2;
class TForm3;
class TPasswordDlg;
class TForm11;
class TForm9;
class TForm10;
class TForm8;
class JournalWindow;

struct ZendraWindows {
    ZendraWindows(Platform &platform, ProgramState &state, const InterpretationCorpus &corpus);
    ~ZendraWindows();

    std::unique_ptr<TForm1> form1;
    TPasswordDlg *passwordDlg = nullptr; // owned by form1, as the windows below
    TForm2 *form2 = nullptr;
    TForm3 *form3 = nullptr;
    TForm11 *form11 = nullptr;
    TForm9 *form9 = nullptr;
    TForm10 *form10 = nullptr;
    TForm8 *form8 = nullptr;
    JournalWindow *journal = nullptr;
};
