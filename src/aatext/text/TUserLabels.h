#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "aatext/text/LabelCollection.h"
#include "aatext/text/TUserLabel.h"
#include "aatext/text/TextTypes.h"

namespace saver {

class Registry;

// The user labels of a text control, with the values their styles insert. The registered
// owner and organisation are read once, at construction, from the machine's registry;
// with no owner there (or no registry at all) the logged-on user's name stands in.
class TUserLabels : public LabelCollection<TUserLabel> {
  public:
    explicit TUserLabels(const Registry* registry);

    const std::string& RegOwner() const { return reg_owner_; }
    const std::string& RegOrganization() const { return reg_organization_; }
    const std::string& AppTitle() const { return app_title_; }
    void SetAppTitle(const std::string& title) { app_title_ = title; }
    // The clock used by the date and time labels (the system's by default).
    void SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }
    // The current time written with a strftime format under the locale's LC_TIME.
    std::string FormatNow(const char* format) const;

    // Adds the standard set: Left, Center, Right, Owner, Organization, AppTitle, Date,
    // Time.
    void AddStandardLabels();

    // For each label in collection order, the first occurrence of its tag is removed and
    // either sets the alignment or is replaced by the label's text.
    void ApplyLabelTags(std::string& line, TAlignment& alignment);

  private:
    std::string reg_owner_;
    std::string reg_organization_;
    std::string app_title_;
    std::function<std::time_t()> clock_;
};

// The name of the user the process runs as (from the password database, else the login
// name); empty when neither knows it.
std::string LoggedOnUserName();

}  // namespace saver
