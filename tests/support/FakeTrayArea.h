#pragma once
// A notification area the test controls: it can be missing, it counts what
// is added and removed, and it clicks the icon on request.

#include <QString>
#include <functional>
#include <vector>

#include "widgets/TrayArea.h"

namespace tempovia::test {

class FakeTrayArea final : public TrayArea {
 public:
  struct State {
    bool available = true;
    int adds = 0;
    int removes = 0;
    bool shown = false;
    QString toolTip;
    std::function<void(TrayMouse)> handler;
    bool showsMessages = true;
    std::vector<QString> messages;  // "title: text"
  };

  explicit FakeTrayArea(State& state) : m_state(state) {}
  bool Add(const QIcon&, const QString& toolTip) override {
    if (!m_state.available) return false;
    ++m_state.adds;
    m_state.shown = true;
    m_state.toolTip = toolTip;
    return true;
  }
  void Remove() override {
    ++m_state.removes;
    m_state.shown = false;
  }
  void SetMouseHandler(std::function<void(TrayMouse)> handler) override { m_state.handler = std::move(handler); }
  bool ShowMessage(const QString& title, const QString& text, bool) override {
    if (!m_state.showsMessages || !m_state.shown) return false;
    m_state.messages.push_back(title + QStringLiteral(": ") + text);
    return true;
  }

 private:
  State& m_state;
};

}  // namespace tempovia::test
