// The single-document template: ties the one document, its frame and its view
// together, and creates them at start in the order the program relies on.
#pragma once

#include <functional>
#include <memory>

#include <windows.h>

namespace plover {

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, std::function<std::unique_ptr<CDocument>()> makeDocument,
                       std::function<std::unique_ptr<CFrameWnd>()> makeFrame,
                       std::function<std::unique_ptr<CView>()> makeView);
    ~CSingleDocTemplate();

    // Constructs the document, creates the frame (and the view inside it), lets
    // the document load itself, then shows the frame.  False when any step fails.
    bool OpenNewDocument(int showCommand);

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

private:
    UINT m_nResourceId;
    std::function<std::unique_ptr<CDocument>()> m_makeDocument;
    std::function<std::unique_ptr<CFrameWnd>()> m_makeFrame;
    std::function<std::unique_ptr<CView>()> m_makeView;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};

}  // namespace plover
