// CObList: a doubly linked list of CObject pointers walked by POSITION.
#pragma once

#include "platform/afx/object.h"

struct __POSITION;
using POSITION = __POSITION*;

class CObList : public CObject {
public:
    CObList() = default;
    ~CObList() override;

    int GetCount() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    POSITION AddTail(CObject* element);
    POSITION AddHead(CObject* element);
    POSITION GetHeadPosition() const;
    // Returns the element at pos and moves pos to the next one (null after the tail).
    CObject*& GetNext(POSITION& pos);
    CObject*& GetAt(POSITION pos);
    // The position of the element at a zero-based index; null when out of range.
    POSITION FindIndex(int index) const;
    void RemoveAt(POSITION pos);
    void RemoveAll();

private:
    struct Node {
        Node* next;
        Node* prev;
        CObject* data;
    };
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
