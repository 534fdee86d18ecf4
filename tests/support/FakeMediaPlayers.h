#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MediaPlayer.h"

namespace saver::test {

// Media players whose plays the test ends or fails at will.
class FakeMediaPlayers : public MediaPlayers {
  public:
    struct PlayerState {
        std::function<void()> on_end;
        std::string item;  // what plays now (or last)
        MediaPlayState state = MediaPlayState::Idle;
        int64_t position = 0;
        int64_t length = 0;
        bool released = false;
    };

    std::unique_ptr<MediaPlayer> CreatePlayer(std::function<void()> on_end) override {
        auto state = std::make_shared<PlayerState>();
        state->on_end = std::move(on_end);
        made.push_back(state);
        return std::make_unique<Player>(state, plays);
    }

    // The player that plays now, or nullptr.
    PlayerState* Playing() const {
        for (const auto& state : made) {
            if (!state->released && state->state == MediaPlayState::Playing) {
                return state.get();
            }
        }
        return nullptr;
    }
    // Ends (or fails) the play of `state`, as the message loop would report it.
    static void Finish(PlayerState& state, MediaPlayState how = MediaPlayState::Ended) {
        state.state = how;
        state.position = how == MediaPlayState::Ended ? state.length : 0;
        const std::function<void()> on_end = state.on_end;
        on_end();
    }
    int Alive() const {
        int alive = 0;
        for (const auto& state : made) {
            alive += state->released ? 0 : 1;
        }
        return alive;
    }

    std::vector<std::shared_ptr<PlayerState>> made;
    // Every item played, in order.
    std::shared_ptr<std::vector<std::string>> plays = std::make_shared<std::vector<std::string>>();

  private:
    class Player : public MediaPlayer {
      public:
        Player(std::shared_ptr<PlayerState> state, std::shared_ptr<std::vector<std::string>> plays)
            : state_(std::move(state)), plays_(std::move(plays)) {}
        ~Player() override { state_->released = true; }
        void Play(const std::string& item) override {
            state_->item = item;
            state_->state = MediaPlayState::Playing;
            state_->position = 0;
            state_->length = 500;
            plays_->push_back(item);
        }
        void Stop() override { state_->state = MediaPlayState::Idle; }
        MediaPlayState State() const override { return state_->state; }
        int64_t Position() const override { return state_->position; }
        int64_t Length() const override { return state_->length; }

      private:
        std::shared_ptr<FakeMediaPlayers::PlayerState> state_;
        std::shared_ptr<std::vector<std::string>> plays_;
    };
};

}  // namespace saver::test
