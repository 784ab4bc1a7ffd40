#include "framework/DocTemplate.h"

#include <utility>

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"

namespace plover {

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId,
                                       std::function<std::unique_ptr<CDocument>()> makeDocument,
                                       std::function<std::unique_ptr<CFrameWnd>()> makeFrame,
                                       std::function<std::unique_ptr<CView>()> makeView)
    : m_nResourceId(resourceId),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView))
{
}

// The frame (and with it the view) goes before the document it points to.
CSingleDocTemplate::~CSingleDocTemplate()
{
    m_pFrame.reset();
    m_pDocument.reset();
}

bool CSingleDocTemplate::OpenNewDocument(int showCommand)
{
    m_pDocument = m_makeDocument();
    m_pFrame = m_makeFrame();
    if (!m_pFrame->LoadFrame(m_nResourceId, WS_OVERLAPPEDWINDOW, m_pDocument.get(), m_makeView)) {
        m_pFrame.reset();
        return false;
    }
    m_pDocument->m_bOpening = true;
    const bool opened = m_pDocument->OnNewDocument();
    m_pDocument->m_bOpening = false;
    if (!opened) {
        m_pFrame->DestroyWindow();
        return false;
    }
    m_pFrame->InitialUpdateFrame(showCommand);
    return true;
}

}  // namespace plover
