// The application base: start-up hook, the one document template and the message
// loop with the main frame's accelerators and the modeless dialogs' keys.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/DocTemplate.h"

namespace plover {

class CFrameWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; false ends the program without running the message loop.
    virtual bool InitInstance() = 0;
    // After the message loop; the result is the program's exit code.
    virtual int ExitInstance();

    // The program's whole run: InitInstance, the message loop, ExitInstance.
    int Run(int showCommand);

    static CWinApp* Get() { return s_pApp; }
    CFrameWnd* GetMainFrame() const;
    CSingleDocTemplate* GetDocTemplate() const { return m_pTemplate.get(); }

protected:
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    // What an empty command line asks for: a new document with its window.
    bool OnFileNew();

    int m_nCmdShow = SW_SHOWNORMAL;

private:
    int MessageLoop();
    // The main frame's accelerators and the keys of modeless dialogs; true when
    // the message was taken.
    bool PreTranslateMessage(MSG& msg);

    static CWinApp* s_pApp;
    std::unique_ptr<CSingleDocTemplate> m_pTemplate;
};

}  // namespace plover
