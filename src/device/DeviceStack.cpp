#include "device/DeviceStack.h"

#include "device/DeviceHost.h"

DeviceStack::DeviceStack(DeviceHost& host_, DeviceModel& model)
    : host(host_), link(host_), writer(link, model, host_), events(link, writer, model, host_) {
  link.SetStatusEvents(&events);
}

void DeviceStack::StartUp(platform::WindowId window) {
  host.RefreshPage();
  link.RegisterForDeviceNotifications(window);
  writer.SnapshotSentState();
  link.ScanDevices();
  if (link.Connected() && link.TakeFirstConnection()) host.RefreshPage();
}

bool DeviceStack::OnTimer(uintptr_t id) {
  if (id == kTimerWrite) {
    host.KillTimer(id);
    writer.WriteChanges();
    return true;
  }
  return link.OnTimer(id) || events.OnTimer(id);
}
