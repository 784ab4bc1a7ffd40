#include "astro/ConstellationDlg.h"

#include "resource.h"

namespace plover {

CConstellationDlg::CConstellationDlg(HWND parent, int month)
    : CDialog(IDD_CONSTELLATION, parent), m_nMonth(month)
{
}

}  // namespace plover
