#include "app/ZendraWindows.h"
#include "app/Zendra12F.h"
#include "files/HesloF.h"
#include "notes/Pozn_F11.h"
#include "print/NTiskF8.h"
#include "tools/FindKP_F9.h"
#include "tools/FindS_F10.h"
#include "tools/JournalWindow.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"

ZendraWindows::ZendraWindows(Platform &platform, ProgramState &state, const InterpretationCorpus &corpus)
{
    form1 = std::make_unique<TForm1>(platform, state, corpus);
    passwordDlg = new TPasswordDlg(platform.dialogs, form1.get());
    form1->setPasswordDialog(passwordDlg);
    form2 = new TForm2(*form1, platform.settings);
    form3 = new TForm3(*form1, platform.settings);
    form2->setContentsWindow(form3);
    form3->setViewer(form2);
    form1->setBookWindows(form2, form3);
    form9 = new TForm9(*form1, *form2, platform.dialogs, platform.settings);
    form2->setFindWindow(form9);
    form1->setFindWindow(form9);
    form10 = new TForm10(*form1, state.documents, platform.dialogs, platform.settings);
    form1->setFilesFindWindow(form10);
    journal = new JournalWindow(*form1, platform.dialogs, platform.settings);
    form1->setJournalWindow(journal);
    form8 = new TForm8(*form1, platform.settings);
    form1->setMarginsDialog(form8);
    form11 = new TForm11(*form1, platform.dialogs);
    form1->setNotesWindow(form11);
}

ZendraWindows::~ZendraWindows() = default;
