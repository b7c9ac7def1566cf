#include "platform/afx/oblist.h"

CObList::~CObList() { RemoveAll(); }

POSITION CObList::AddTail(CObject* element) {
    Node* n = new Node{nullptr, m_tail, element};
    (m_tail ? m_tail->next : m_head) = n;
    m_tail = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
}

POSITION CObList::AddHead(CObject* element) {
    Node* n = new Node{m_head, nullptr, element};
    (m_head ? m_head->prev : m_tail) = n;
    m_head = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
}

POSITION CObList::GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }

CObject*& CObList::GetNext(POSITION& pos) {
    Node* n = reinterpret_cast<Node*>(pos);
    pos = reinterpret_cast<POSITION>(n->next);
    return n->data;
}

CObject*& CObList::GetAt(POSITION pos) { return reinterpret_cast<Node*>(pos)->data; }

POSITION CObList::FindIndex(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    Node* n = m_head;
    while (index-- > 0) n = n->next;
    return reinterpret_cast<POSITION>(n);
}

void CObList::RemoveAt(POSITION pos) {
    Node* n = reinterpret_cast<Node*>(pos);
    (n->prev ? n->prev->next : m_head) = n->next;
    (n->next ? n->next->prev : m_tail) = n->prev;
    delete n;
    --m_count;
}

void CObList::RemoveAll() {
    for (Node* n = m_head; n;) {
        Node* next = n->next;
        delete n;
        n = next;
    }
    m_head = m_tail = nullptr;
    m_count = 0;
}
