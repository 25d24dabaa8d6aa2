-- The PokerTracker 3 tables a look-up reads.
CREATE TABLE player (
  id_player serial PRIMARY KEY,
  id_site smallint NOT NULL DEFAULT 100,
  player_name varchar(32) NOT NULL
);
CREATE TABLE holdem_hand_player_statistics (
  id_hand integer NOT NULL,
  id_player integer NOT NULL,
  amt_won numeric(12,2) NOT NULL,
  flg_vpip boolean NOT NULL,
  cnt_p_raise smallint NOT NULL,
  flg_f_bet boolean NOT NULL,
  cnt_f_raise smallint NOT NULL,
  flg_t_bet boolean NOT NULL,
  cnt_t_raise smallint NOT NULL,
  flg_r_bet boolean NOT NULL,
  cnt_r_raise smallint NOT NULL,
  cnt_f_call smallint NOT NULL,
  cnt_t_call smallint NOT NULL,
  cnt_r_call smallint NOT NULL,
  flg_showdown boolean NOT NULL,
  flg_won_hand boolean NOT NULL,
  flg_f_saw boolean NOT NULL
);
