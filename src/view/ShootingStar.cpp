#include "view/ShootingStar.h"

#include "framework/DpiScale.h"

namespace plover {

int ShootingStarColumn(int clientWidth, const std::function<int()>& random)
{
    // Any number fits a window wider than the generator's range; a narrow one may
    // take many draws, a broken generator must not hang the first activation.
    constexpr int kMaxDraws = 1 << 22;
    if (clientWidth <= 0 || !random)
        return 0;
    for (int i = 0; i < kMaxDraws; ++i) {
        const int x = random();
        if (x >= 0 && x < clientWidth)
            return x;
    }
    return 0;
}

CShootingStar::CShootingStar(int starWidth, int starHeight)
    : m_nStarWidth(starWidth), m_nStarHeight(starHeight)
{
}

void CShootingStar::SetStarSize(int starWidth, int starHeight)
{
    m_nStarWidth = starWidth;
    m_nStarHeight = starHeight;
}

void CShootingStar::Start(int clientWidth, const std::function<int()>& random, int dpi)
{
    const int x = ShootingStarColumn(clientWidth, random);
    const int edge = ScaleToDpi(2, dpi);
    m_rcStar = {x + edge, edge, x + edge, edge};
    m_bFinished = false;
}

void CShootingStar::Step()
{
    m_rcStar = {m_rcStar.left + m_nStarWidth, m_rcStar.top + m_nStarHeight,
                m_rcStar.left + 2 * m_nStarWidth, m_rcStar.top + 2 * m_nStarHeight};
}

Rect CShootingStar::DrawRect() const
{
    return RectFromSize(m_rcStar.left, m_rcStar.top, m_nStarWidth, m_nStarHeight);
}

bool CShootingStar::HasLeft(int clientWidth, int clientHeight) const
{
    return m_bFinished || m_rcStar.left > clientWidth || m_rcStar.top > clientHeight;
}

}  // namespace plover
