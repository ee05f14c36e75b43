set(CORE_SOURCES CodePage.h CodePage.cpp FileCipher.h FileCipher.cpp FileCipherTables.cpp PasswordRules.h PasswordRules.cpp
    ConsultationFile.h ConsultationFile.cpp SaveTarget.h SaveTarget.cpp EditorText.h EditorText.cpp)
set(GUI_SOURCES HesloF.h HesloF.cpp)
