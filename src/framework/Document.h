// The document base: the data a single-document program works on, created empty
// at start and closed once at exit.
#pragma once

#include <windows.h>

#include <string>

namespace plover {

class CFrameWnd;

class CDocument {
public:
    virtual ~CDocument() = default;

    // Called once when the framework creates the document; false ends the start-up.
    virtual bool OnNewDocument();
    // Called when the program closes: the base destroys the frame (and its view).
    virtual void OnCloseDocument();
    // Asked before the frame closes; false keeps the program running.
    virtual bool CanCloseFrame();

    // Tells the frame's view what changed (a hint of the document's own kind).
    void UpdateAllViews(unsigned hint);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const std::wstring& GetTitle() const { return m_strTitle; }

    CFrameWnd* m_pFrame = nullptr;
    // True while OnNewDocument runs: message boxes it shows pump messages, and a
    // close arriving then (the automatic close) must wait until loading is over.
    bool m_bOpening = false;

protected:
    // The program's words: the title of a document that has no file name of its
    // own, and the question before closing with changes (%1 is the title).
    virtual std::wstring UntitledTitle() const = 0;
    virtual std::wstring SaveChangesQuestion() const = 0;

    std::wstring m_strTitle;

private:
    bool m_bModified = false;
    bool m_bAsking = false;
};

}  // namespace plover
