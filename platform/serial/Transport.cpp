#include "serial/Transport.h"

#include <utility>

#include "serial/SerialControl.h"

namespace serial {

namespace {
TransportFactory& factoryInPlace() {
  static TransportFactory factory;
  return factory;
}
}  // namespace

Transport::~Transport() = default;

std::unique_ptr<Transport> newTransport() {
  if (const TransportFactory& factory = factoryInPlace()) return factory();
  return std::make_unique<SerialControl>();
}

TransportFactory setTransportFactory(TransportFactory factory) {
  return std::exchange(factoryInPlace(), std::move(factory));
}

}  // namespace serial
