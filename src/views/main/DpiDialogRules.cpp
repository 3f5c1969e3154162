#include "views/main/DpiDialogRules.h"

#include <algorithm>

#include "base/Text.h"
#include "profiles/SensorDpiTable.h"
#include "views/main/DpiPageRules.h"

namespace {
// What ParseDecimal reads as a number: blanks, an optional sign, then at least one digit.
bool StartsWithNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}
}  // namespace

DpiDialogRules::DpiDialogRules(const SensorDpiTable& table, int xIndex, int yIndex)
    : m_table(table) {
  m_index[kX] = DpiPageRules::ShownIndex(table, xIndex);
  m_index[kY] = DpiPageRules::ShownIndex(table, yIndex);
}

int DpiDialogRules::MaxIndex() const {
  return std::max(m_table.count - 1, 0);
}

std::u16string DpiDialogRules::DpiText(Axis axis) const {
  return DpiPageRules::DpiText(m_table, m_index[axis]);
}

void DpiDialogRules::Set(Axis axis, int index) {
  m_index[axis] = DpiPageRules::ShownIndex(m_table, index);
  if (m_sync) m_index[1 - axis] = m_index[axis];
}

void DpiDialogRules::Step(Axis axis, int delta) {
  Set(axis, m_index[axis] + delta);
}

bool DpiDialogRules::ApplyTyped(Axis axis, std::u16string_view text) {
  if (!StartsWithNumber(text) || m_table.count <= 0) return false;
  Set(axis, DpiIndexForValue(m_table, base::ParseDecimal(text)));
  return true;
}

void DpiDialogRules::SetSync(bool sync) {
  m_sync = sync;
  if (m_sync && m_index[kX] != m_index[kY]) m_index[kY] = m_index[kX];
}
