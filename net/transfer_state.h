#pragma once

namespace vandrel {

// The states a transfer reports through StateChanged, in the order they come.
enum class TransferState : int {
    ResolvingHost = 1,
    HostResolved = 2,
    Connecting = 3,
    Connected = 4,
    Requesting = 5,
    RequestSent = 6,
    Receiving = 7,
    ResponseReceived = 8,
    Disconnecting = 9,
    Disconnected = 10,
    Failed = 11,
    Completed = 12,
};

} // namespace vandrel
