#include "framework/Document.h"

#include "framework/FileErrors.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"

namespace plover {

bool CDocument::OnNewDocument()
{
    m_strTitle = UntitledTitle();
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    if (m_pFrame)
        m_pFrame->DestroyWindow();
}

void CDocument::UpdateAllViews(unsigned hint)
{
    if (CView* view = m_pFrame ? m_pFrame->GetActiveView() : nullptr)
        view->OnUpdate(hint);
}

bool CDocument::CanCloseFrame()
{
    if (m_bOpening)
        return false;
    if (!IsModified())
        return true;
    // Close requests can arrive again while the question is open (the automatic
    // close posts one every second); one question at a time.
    if (m_bAsking)
        return false;
    m_bAsking = true;
    const int answer = ShowMessage(m_pFrame ? m_pFrame->m_hWnd : nullptr,
                                   FormatMessageText(SaveChangesQuestion(), m_strTitle),
                                   MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    m_bAsking = false;
    return answer != IDCANCEL;
}

}  // namespace plover
