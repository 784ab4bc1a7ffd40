#include "astro/ZodiacDlg.h"

#include "resource.h"

namespace plover {

CZodiacDlg::CZodiacDlg(HWND parent, int month) : CDialog(IDD_ZODIAC, parent), m_nMonth(month) {}

}  // namespace plover
