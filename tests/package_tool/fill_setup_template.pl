# fill_setup_template.pl TEMPLATE WITH_LOGO(0|1): prints the template filled
# the way Build fills it: trailing white space trimmed, the keys replaced in
# order (later keys also in earlier values), line feeds written as CR LF.
use strict;
use warnings;
my ($template, $with_logo) = @ARGV;
open my $in, '<:raw', $template or die "$template: $!";
my $text = do { local $/; <$in> };
$text =~ s/\s+\z//;
my @pairs = (
  ['APPLICATION_PATH', '\\Windows\\pword.exe'],
  ['APPLICATION_PARAMS', '-f 50% off'],
  ['APPLICATION_COUNTDOWN', '15'],
  ['DISABLE_ACTIVESYNC_CONNECTION', '1'],
  ['DISABLE_HARDBUTTONS', '9'],
  ['ENABLE_KIOSKDESKTOP', '2'],
  ['KIOSK_DESKTOP_TITLE_TEXT', '[Enter Desktop Title Text here]'],
  ['UNLOCK_ON_TAP_IN_KIOSKDESKTOP', '3'],
  ['SHOWSIPICON_IN_KIOSKDESKTOP', '4'],
  ['ENABLETASKBAR_IN_KIOSKDESKTOP', '5'],
  ['SHOWTASKBAR', '6'],
  ['SHOWVERSION', '7'],
  ['DISABLE_CONTINUE_BUTTON', '8'],
  ['TARGET_APP_RESTART_DELAY', '65535'],
  ['LANGUAGE_TO_BE_USED', 'brazilian'],
);
push @pairs, ['bce_logofile=2', ''], ['bce_logofile', ''] unless $with_logo;
push @pairs, ['SHOW_LOGO', $with_logo ? '1' : '0'], ['FIT_LOGO_TO_SCREEN', '10'];
for my $pair (@pairs) {
  my ($key, $value) = @$pair;
  $text =~ s/\Q$key\E/$value/g;
}
$text =~ s/\n/\r\n/g;
binmode STDOUT;
print $text;
