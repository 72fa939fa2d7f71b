#pragma once
#include <string>
#include <vector>

namespace vft::cli {

// Each returns the process exit code: 0 done, 1 refused or problems found.
int cmd_dump(const std::string& file);
struct ConvertOptions {
  std::string flavour;  // --flavour 5.5.1 | 7 (empty: the standard form)
  // --submitter-name etc.; unset fields come from the user's settings file.
  std::string name, address1, address2, address3, phone, email;
  bool name_set = false, address1_set = false, address2_set = false, address3_set = false,
       phone_set = false, email_set = false;
};

// IN.vfl OUT.vfl repacks; IN.vfl OUT.ged exports; IN.ged OUT.vfl imports into an
// empty tree and saves it.
int cmd_convert(const std::string& in, const std::string& out, const ConvertOptions& options);
int cmd_check(const std::string& file);

}  // namespace vft::cli
