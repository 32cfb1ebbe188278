#include "controller/UpdateBatch.h"

CUpdateBatch::Owed CUpdateBatch::End() {
    if (m_depth == 0) return {};
    if (--m_depth > 0) return {};
    Owed owed = m_owed;
    m_owed = {};
    return owed;
}

bool CUpdateBatch::Changed() {
    if (m_depth == 0) return true;
    m_owed.refresh = true;
    m_owed.save = true;
    return false;
}

void CUpdateBatch::Saved() { m_owed.save = false; }
