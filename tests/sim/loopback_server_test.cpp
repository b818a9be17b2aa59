// SPDX-License-Identifier: GPL-3.0-or-later
// The loopback protocol itself: message boundaries, bad messages, reconnects.
#include "socket_fixture.h"

namespace kvsim::test {
namespace {

TEST_F(SimTest, AnswersMessagesHoweverTheyAreSplit) {
  Config config;
  config.statuses = {7};
  controller.SetConfig(config);
  // Two writes, then two reads, in one send: only the second reply waits.
  Bytes batch = Message('W', 16, kVersionRequest);
  for (const Bytes& message :
       {Message('W', 64, kStatusRequest), Message('R', 512), Message('R', 512)}) {
    batch.insert(batch.end(), message.begin(), message.end());
  }
  client->Send(batch);
  EXPECT_EQ(client->ReceiveNumber(), 16);
  EXPECT_EQ(client->ReceiveNumber(), 64);
  EXPECT_EQ(client->ReceiveNumber(), 64);
  const auto reply = client->Receive(64);
  ASSERT_TRUE(reply);
  EXPECT_EQ(Bytes(reply->begin(), reply->begin() + 10),
            Padded(Bytes{0xFF, 0x00, 0x3C, 0x00, 0x20, 0x00, 0x40, 0x24, 0x07}, 10));
  EXPECT_EQ(client->ReceiveNumber(), 0);

  // One message a byte at a time.
  for (const std::uint8_t byte : Message('W', 64, kStatusRequest)) client->Send({&byte, 1});
  EXPECT_EQ(client->ReceiveNumber(), 64);
  EXPECT_EQ(client->Read(512)->size(), 64u);
}

TEST_F(SimTest, EndsTheConnectionOnABadMessage) {
  const struct {
    const char* name;
    Bytes message;
  } cases[] = {
      {"unknown opcode", {'X'}},
      {"lower-case opcode", Message('w', 64, kStatusRequest)},
      {"negative read count", Message('R', -1)},
      {"negative write length", Message('W', -1)},
      {"oversized write", Message('W', 65537)},
      {"oversized open", Message('O', 1 << 30)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    client->Send(c.message);
    EXPECT_TRUE(client->EndedByServer());
    client = std::make_unique<LoopbackClient>(server.Port());
    EXPECT_EQ(client->Write(kStatusRequest), 64);  // the controller is still open
    EXPECT_EQ(client->Read(512)->size(), 64u);
  }
}

TEST_F(SimTest, KeepsStateForTheNextConnection) {
  Config config;
  config.statuses = {1, 2};
  controller.SetConfig(config);
  EXPECT_EQ(Exchange(kStatusRequest)[8], 1);
  EXPECT_EQ(Exchange(Padded({0xFF, 0x00, 0x04, 0x00, 0x20, 0x00, 0x11, 0x70, 0x01}, 64)).size(),
            64u);
  controller.PressPrintKey();
  client.reset();  // lost without a close

  client = std::make_unique<LoopbackClient>(server.Port());
  EXPECT_EQ(Exchange(kStatusRequest)[8], 2);
  EXPECT_EQ(Exchange(kPrintKeyRequest)[8], 16);
  EXPECT_EQ(controller.OutputMode(), 1);
  EXPECT_EQ(controller.Requests().size(), 4u);
}

}  // namespace
}  // namespace kvsim::test
