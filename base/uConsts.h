#pragma once
// Texts of the main window and of the channel, kept together.

namespace Consts {

inline constexpr const char *AppTitle = "Logger TELQAR";
inline constexpr const char *SimulatedTitleSuffix = " (simulated unit)";

inline constexpr const char *StatusOffline = "OFFLINE";
inline constexpr const char *StatusConnectionLost = "CONN. LOST";
inline constexpr const char *StatusAdapterLost = "adapter lost";
inline constexpr const char *ConnectCaption = "Connect";
inline constexpr const char *DisconnectCaption = "Disconnect";

// Lines of the CAN traffic window.
inline constexpr const char *LineConnected = "Połączenie";
inline constexpr const char *LineOpenFailed = "błąd otwarcia";
inline constexpr const char *LineDisconnected = "Rozłączenie";
inline constexpr const char *LineAdapterLost = "adapter lost";
inline constexpr const char *LineAdapterRestored = "adapter restored";

inline constexpr const char *ConnectFirst = "Connect CAN device first";
inline constexpr const char *CalibrationFailed = "Error sending calibration request";

inline constexpr const char *ProtocolVariant = "Protocol variant";
inline constexpr const char *ProductionEnv = "production env.";
inline constexpr const char *TestProtocol = "test protocol";

}  // namespace Consts
